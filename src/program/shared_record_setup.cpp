#include "program/shared_record_setup.h"

#include <filesystem>
#include <system_error>

#include "store/store_connection.h"
#include "store/store_journal.h"

namespace vx {

void SetUpSharedRecord(WindowCore& core, const CommandLine& commandLine, const std::string& userFolder) {
  SharedRecordAccess& access = core.sharedRecord;
  access.station = commandLine.station.value_or(DefaultStationName());
  access.connection = commandLine.sharedRecord.value_or("");
  access.journalPath = JournalPath(userFolder, access.station);
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
