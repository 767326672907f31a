#include "winapp/link_choice_windows.h"

#include "device/system_serial_link.h"
#include "sim/device_note.h"
#include "sim/faults.h"
#include "sim/replug_sim_link.h"

namespace vx::win {

LinkChoice MakeLink(const CommandLine& commandLine) {
  LinkChoice choice;
  if (!commandLine.simulate) {
    choice.link = MakeSystemSerialLink();
    return choice;
  }
  const sim::FaultParse faults = sim::ParseFaults(*commandLine.simulate);
  if (!faults.faults) {
    choice.error = "--simulate: " + faults.error;
    return choice;
  }
  sim::SimLinkOptions options;
  options.device.faults = *faults.faults;
  choice.link = std::make_unique<sim::ReplugSimLink>(options);
  choice.deviceNote = sim::SimulatedDeviceNote(options.device.faults);
  return choice;
}

}  // namespace vx::win
