#pragma once
// The serial link a window talks through, chosen from the command line: the
// system's port, or with --simulate the simulated reader/writer showing the
// faults named. Each window says how it makes either; the choice, the fault
// names and the note on the window are decided here.

#include <functional>
#include <memory>
#include <string>

#include "device/serial_link.h"
#include "program/command_line.h"
#include "sim/device_model.h"

namespace vx {

struct LinkChoice {
  std::unique_ptr<SerialLink> link;  // null when `error` says why none could be made
  std::string error;
  // Shown on the window when the device is not what the port name says (the
  // simulated reader/writer); empty for a real port.
  std::string deviceNote;
};

// An unknown fault name is an error; so is a simulated device that could not
// be made (its own error is kept).
LinkChoice ChooseLink(const CommandLine& commandLine, const std::function<std::unique_ptr<SerialLink>()>& systemPort,
                      const std::function<LinkChoice(const sim::DeviceOptions&)>& simulated);

}  // namespace vx
