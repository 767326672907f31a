#include "program/shared_record_setup.h"

#include <filesystem>
#include <system_error>

#include "store/station_lock.h"
#include "store/station_name.h"
#include "store/store_connection.h"
#include "store/store_journal.h"

namespace vx {

void SetUpSharedRecord(WindowCore& core, const CommandLine& commandLine, const std::string& userFolder) {
  SharedRecordAccess& access = core.sharedRecord;
  // The computer's name is held to the rule when the box is ticked, so a
  // name that breaks it refuses the shared record, not the window.
  access.station = commandLine.station.value_or(DefaultStationName());
  access.connection = commandLine.sharedRecord.value_or(SharedRecordVariable());
  access.journalPath = JournalPath(userFolder, CheckStationName(access.station).name);
  access.lockStation = [userFolder](const std::string& station, std::unique_ptr<StationLock>& lock) {
    return LockStation(userFolder, station, lock);
  };
  access.dataSources = ListDataSources;
  access.connect = [userFolder](const std::string& connection, const std::string& station,
                                std::unique_ptr<SharedStore>& store) {
    std::optional<StoreFault> fault = ConnectSharedStore(connection, station, store);
    if (!fault) {
      // Only a station that uses the shared record keeps a journal on disk.
      std::error_code ignored;
      std::filesystem::create_directories(std::filesystem::path(std::u8string(userFolder.begin(), userFolder.end())),
                                          ignored);
    }
    return fault;
  };
  core.StartSharedRecord();
}

}  // namespace vx
