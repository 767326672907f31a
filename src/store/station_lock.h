#pragma once
// One program at a time per station on a computer. Two programs that go by
// one station's name would settle each other's reservations as their own
// (reading the wrong card on the reader) and write one journal file at once,
// losing entries; so the first to connect holds the station's lock until it
// disconnects or ends, and the second is refused before anything is sent. The
// lock is a file beside the station's journal, held by the system for as long
// as the file stays open, so a program that crashes leaves no stale lock.

#include <memory>
#include <optional>
#include <string>

namespace vx {

// A lock held; destroying it releases the lock.
class StationLock {
 public:
  virtual ~StationLock() = default;
};

// The lock's file for `station` in `userFolder`: beside the station's journal,
// named as the journal is.
std::string StationLockPath(const std::string& userFolder, const std::string& station);

struct StationLockTry {
  std::unique_ptr<StationLock> lock;  // set when taken
  bool inUse = false;                 // another program (or another connection here) holds it
  std::string reason;                 // otherwise, why the file could not be locked, in plain words
};

// Takes the lock of the file at `path` without waiting; makes its folder,
// private to the user, when it is missing. Never follows a link planted in the
// file's place, and never leaves the file to a program this one starts.
StationLockTry LockStationFile(const std::string& path);

// Takes `station`'s lock in `userFolder` into `lock`. Empty when taken; else
// the refusal, naming the station.
std::optional<std::string> LockStation(const std::string& userFolder, const std::string& station,
                                       std::unique_ptr<StationLock>& lock);

}  // namespace vx
