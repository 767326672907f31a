#include "operations/shared_record_connection.h"

#include <filesystem>
#include <system_error>

#include "i18n/translate.h"
#include "store/store_connection.h"
#include "store/store_journal.h"
#include "platform/utf8_path.h"

namespace vx {

SharedRecordConnection::SharedRecordConnection(const SharedRecordAccess& access) : access_(access) {}

std::optional<std::string> SharedRecordConnection::CheckStation() {
  station_ = CheckStationName(access_.station);
  if (station_.problem.empty()) return std::nullopt;
  return StationNameRefusal(station_.problem);
}

std::optional<std::string> SharedRecordConnection::LockStation() {
  // Taken before connecting: settling an earlier run's reservations, which
  // follows the connection, is this station's alone to do.
  if (!access_.lockStation) return std::nullopt;
  return access_.lockStation(station_.name, lock_);
}

std::optional<StoreFault> SharedRecordConnection::Connect(const std::string& connection) {
  store_.reset();
  std::optional<StoreFault> fault = access_.connect ? access_.connect(connection, station_.name, store_)
                                                    : StoreFault{MaskPasswords(connection), Tr("no database access")};
  if (!fault && !store_) fault = StoreFault{MaskPasswords(connection), Tr("no store")};
  return fault;
}

void SharedRecordConnection::TakeUp(SharedRecordState& shared, bool journal) {
  shared.stationLock = std::move(lock_);
  shared.store = std::move(store_);
  shared.journalPath.clear();
  const std::string& folder = access_.userFolder;
  if (!journal || folder.empty()) return;
  // Only a station that uses the shared record keeps a journal on disk.
  std::error_code ignored;
  std::filesystem::create_directories(PathOfUtf8(folder), ignored);
  shared.journalPath = JournalPath(folder, station_.name);
}

}  // namespace vx
