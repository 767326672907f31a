#pragma once
// How both windows reach the shared record: through the system's ODBC, as
// the station named on the command line (else the computer's name), with the
// journal of unsettled outcomes in the operator's own folder. With
// --shared-record the window connects at start.

#include <string>

#include "window/window_core.h"
#include "program/command_line.h"

namespace vx {

// `userFolder` (UTF-8) is made when the shared record is first reached, not before.
// Call once the window's port is set: connecting may read the card on the reader.
void SetUpSharedRecord(WindowCore& core, const CommandLine& commandLine, const std::string& userFolder);

}  // namespace vx
