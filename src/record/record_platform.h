#pragma once
// What the record needs of the operating system, in one small file per
// platform: opening a file for appending by its UTF-8 name, pushing written
// bytes through to the disk, the system's words for an error, and the local
// time with its offset from UTC.

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

namespace vx::record_platform {

// Opens `path` for appending in binary mode; creates it only when `create`.
// nullptr on failure, with errno set.
std::FILE* OpenForAppend(const std::string& path, bool create);
// After fflush: makes the file's bytes durable. False with errno set.
bool SyncToDisk(std::FILE* file);
// After a file was created in it: makes the folder's entry of the file
// durable, so a power cut cannot lose the file's name while its bytes were
// synced. False with errno set. Where the system keeps names durable with the
// file itself, there is nothing to do.
bool SyncFolderOf(const std::string& path);
// The system's description of an errno value.
std::string ErrorText(int error);

struct LocalTime {
  std::tm fields{};
  int utcOffsetMinutes = 0;
};
// The local calendar time of `seconds` since the epoch, and the offset from
// UTC in force at that moment (daylight saving included).
LocalTime LocalTimeOf(std::time_t seconds);

}  // namespace vx::record_platform
