#pragma once
// The serial link the Qt window talks through, chosen from the command line.

#include "program/command_line.h"
#include "program/link_choice.h"

namespace vx {

// The Qt serial port, or with --simulate the simulated reader/writer showing
// the faults named; an unknown fault name is an error.
LinkChoice MakeSerialLink(const CommandLine& commandLine);

}  // namespace vx
