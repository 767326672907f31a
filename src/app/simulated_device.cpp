#include "app/simulated_device.h"

#if VX_PTY_SIMULATION
#include "app/simulated_device_posix.h"
#else
#include "sim/sim_link.h"
#endif

namespace vx {

LinkChoice MakeSimulatedLink(const sim::DeviceOptions& device) {
#if VX_PTY_SIMULATION
  return MakePtySimulatedLink(device);
#else
  LinkChoice choice;
  choice.link = std::make_unique<sim::SimLink>(sim::SimLinkOptions{device});
  return choice;
#endif
}

std::string SimulatedDeviceNote(const sim::FaultSet& faults) {
  std::string names;
  for (sim::Fault fault : sim::kAllFaults) {
    if (!faults.Has(fault)) continue;
    if (!names.empty()) names += ", ";
    names += sim::FaultName(fault);
  }
  std::string note = "Simulated reader/writer";
  if (!names.empty()) note += " (faults: " + names + ")";
  return note;
}

}  // namespace vx
