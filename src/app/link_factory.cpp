#include "app/link_factory.h"

#include "app/qt_serial_link.h"
#include "app/simulated_device.h"
#include "sim/device_note.h"
#include "sim/faults.h"

namespace vx {

LinkChoice MakeSerialLink(const CommandLine& commandLine) {
  if (commandLine.simulate) {
    const sim::FaultParse faults = sim::ParseFaults(*commandLine.simulate);
    if (!faults.faults) return {nullptr, "--simulate: " + faults.error, {}};
    sim::DeviceOptions device;
    device.faults = *faults.faults;
    LinkChoice choice = MakeSimulatedLink(device);
    if (choice.link) choice.deviceNote = sim::SimulatedDeviceNote(device.faults);
    return choice;
  }
  LinkChoice choice;
  choice.link = std::make_unique<QtSerialLink>();
  return choice;
}

}  // namespace vx
