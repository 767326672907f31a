#pragma once
// The system's way to the shared record, for both windows and the console
// program: ODBC, with the station's lock and journal in the operator's own
// folder.

#include <string>

#include "operations/shared_record_connection.h"

namespace vx {

// Everything but the station and the connection, which each front takes
// from its own command line. `userFolder` is UTF-8.
SharedRecordAccess SystemSharedRecordAccess(const std::string& userFolder);

}  // namespace vx
