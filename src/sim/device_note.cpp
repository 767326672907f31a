#include "sim/device_note.h"

namespace vx::sim {

std::string SimulatedDeviceNote(const FaultSet& faults) {
  std::string names;
  for (Fault fault : kAllFaults) {
    if (!faults.Has(fault)) continue;
    if (!names.empty()) names += ", ";
    names += FaultName(fault);
  }
  std::string note = "Simulated reader/writer";
  if (!names.empty()) note += " (faults: " + names + ")";
  return note;
}

}  // namespace vx::sim
