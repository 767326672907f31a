#pragma once
// The serial link the Windows window talks through, chosen from the command line.

#include "program/command_line.h"
#include "program/link_choice.h"

namespace vx::win {

// The system's serial port, or with --simulate the simulated reader/writer in
// this process showing the faults named; an unknown fault name is an error.
LinkChoice MakeLink(const CommandLine& commandLine);

}  // namespace vx::win
