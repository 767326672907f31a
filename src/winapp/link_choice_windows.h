#pragma once
// The serial link the Windows window talks through, chosen from the command line.

#include <memory>
#include <string>

#include "device/serial_link.h"
#include "program/command_line.h"

namespace vx::win {

struct LinkChoice {
  std::unique_ptr<SerialLink> link;  // null when `error` says why none could be made
  std::string error;
  // Shown on the window when the device is not what the port name says (the
  // simulated reader/writer); empty for a real port.
  std::string deviceNote;
};

// The system's serial port, or with --simulate the simulated reader/writer in
// this process showing the faults named; an unknown fault name is an error.
LinkChoice MakeLink(const CommandLine& commandLine);

}  // namespace vx::win
