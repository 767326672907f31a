#pragma once
// The built-in simulated reader/writer of --simulate: the program runs and can
// be tried without a device.

#include "app/link_factory.h"
#include "sim/device_model.h"

namespace vx {

// A link whose far end is a simulated device with these options. Where
// pseudo-terminals exist the device answers on one of this process, and the
// link is the real serial port opened on it whatever port is chosen, so the
// whole serial road is used; elsewhere (Windows) the device sits right behind
// the link (sim::ReplugSimLink).
LinkChoice MakeSimulatedLink(const sim::DeviceOptions& device);

}  // namespace vx
