#pragma once
// What the window shows about the simulated reader/writer.

#include <string>

#include "sim/faults.h"

namespace vx::sim {

// "Simulated reader/writer", and the faults it has been told to show, if any:
// "Simulated reader/writer (faults: split, garbage)".
std::string SimulatedDeviceNote(const FaultSet& faults);

}  // namespace vx::sim
