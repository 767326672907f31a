#pragma once
// The simulated reader/writer on a pseudo-terminal of this process, reached
// through the Qt serial port.

#include "app/link_factory.h"
#include "sim/device_model.h"

namespace vx {

// The device starts serving at once; a failure to get a pseudo-terminal is
// returned as the choice's error. A device pulled out by the unplug fault is
// plugged in again, as a new device on a new path, at the next Open.
LinkChoice MakePtySimulatedLink(const sim::DeviceOptions& device);

}  // namespace vx
