#include "sim/device_note.h"

#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx::sim {

std::string SimulatedDeviceNote(const FaultSet& faults) {
  std::string names;
  for (Fault fault : kAllFaults) {
    if (!faults.Has(fault)) continue;
    if (!names.empty()) names += ", ";
    names += FaultName(fault);
  }
  // The window shows it beside the port; the fault names are the ones
  // --simulate= takes, and stay as they are.
  if (names.empty()) return Tr("Simulated reader/writer");
  // TRANSLATORS: %s lists the simulated device's faults by their option names: "split, garbage".
  return Format(Tr("Simulated reader/writer (faults: %s)"), names);
}

}  // namespace vx::sim
