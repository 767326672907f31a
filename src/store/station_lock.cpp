#include "store/station_lock.h"

#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "store/store_journal.h"

namespace vx {

std::string StationLockPath(const std::string& userFolder, const std::string& station) {
  // Journals end in ".txt", so no station's journal can be another's lock.
  return JournalPath(userFolder, station) + ".lock";
}

std::optional<std::string> LockStation(const std::string& userFolder, const std::string& station,
                                       std::unique_ptr<StationLock>& lock) {
  lock.reset();
  const std::string path = StationLockPath(userFolder, station);
  StationLockTry taken = LockStationFile(path);
  if (taken.lock) {
    lock = std::move(taken.lock);
    return std::nullopt;
  }
  if (taken.inUse)
    // TRANSLATORS: %s is the station's name ("DESK-2").
    return Format(Tr("Station %s is already in use by another program on this computer. Close that program, or "
                     "start this one with another station's name (--station NAME)."),
                  station);
  // TRANSLATORS: %1$s is the station's name, %2$s the lock's file, %3$s the
  // system's reason.
  return Format(Tr("Station %1$s cannot be locked for this program: %2$s: %3$s."), station, path, taken.reason);
}

}  // namespace vx
