#pragma once
// The built-in simulated reader/writer of --simulate: the program runs and can
// be tried without a device.

#include <string>

#include "app/link_factory.h"
#include "sim/device_model.h"
#include "sim/faults.h"

namespace vx {

// A link whose far end is a simulated device with these options. Where
// pseudo-terminals exist the device answers on one of this process, and the
// link is the real serial port opened on it whatever port is chosen, so the
// whole serial road is used; elsewhere the device sits right behind the link.
LinkChoice MakeSimulatedLink(const sim::DeviceOptions& device);

// What the window shows about such a device: "Simulated reader/writer", and
// the faults it has been told to show, if any.
std::string SimulatedDeviceNote(const sim::FaultSet& faults);

}  // namespace vx
