#pragma once
// The serial link the window talks through, chosen from the command line.

#include <memory>
#include <string>

#include "app/command_line.h"
#include "device/serial_link.h"

namespace vx {

struct LinkChoice {
  std::unique_ptr<SerialLink> link;  // null when `error` says why none could be made
  std::string error;
};

// The Qt serial port, or with --simulate the simulated reader/writer.
LinkChoice MakeSerialLink(const CommandLine& commandLine);

}  // namespace vx
