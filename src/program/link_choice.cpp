#include "program/link_choice.h"

#include "sim/device_note.h"
#include "sim/faults.h"

namespace vx {

LinkChoice ChooseLink(const CommandLine& commandLine, const std::function<std::unique_ptr<SerialLink>()>& systemPort,
                      const std::function<LinkChoice(const sim::DeviceOptions&)>& simulated) {
  if (!commandLine.simulate) {
    LinkChoice choice;
    choice.link = systemPort();
    return choice;
  }
  const sim::FaultParse faults = sim::ParseFaults(*commandLine.simulate);
  if (!faults.faults) return {nullptr, "--simulate: " + faults.error, {}};
  sim::DeviceOptions device;
  device.faults = *faults.faults;
  LinkChoice choice = simulated(device);
  if (choice.link) choice.deviceNote = sim::SimulatedDeviceNote(device.faults);
  return choice;
}

}  // namespace vx
