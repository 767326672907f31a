#include "program/shared_record_setup.h"

#include "program/shared_record_access.h"
#include "store/store_connection.h"

namespace vx {

void SetUpSharedRecord(WindowCore& core, const CommandLine& commandLine, const std::string& userFolder) {
  SharedRecordAccess& access = core.sharedRecord;
  access = SystemSharedRecordAccess(userFolder);
  // The computer's name is held to the rule when the box is ticked, so a
  // name that breaks it refuses the shared record, not the window.
  access.station = commandLine.station.value_or(DefaultStationName());
  access.connection = commandLine.sharedRecord.value_or(SharedRecordVariable());
  core.StartSharedRecord();
}

}  // namespace vx
