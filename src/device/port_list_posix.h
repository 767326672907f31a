#pragma once
// The listing of serial ports on Linux, read from sysfs: the tty devices that
// sit on hardware, described by what the kernel knows of that hardware.

#include <filesystem>
#include <vector>

#include "device/port_list.h"

namespace vx {

// The ports of the system whose file tree starts at `root` ("/" for this
// one): every tty of root/sys/class/tty with a device behind it, except the
// UART slots the kernel reserves with no chip present (type 0). A USB
// adapter is described by its product and maker, as its descriptors give
// them; failing those, by its name in root/dev/serial/by-id. Names are
// /dev/<tty>, what opens the port on the system itself.
std::vector<SerialPortInfo> ListSerialPortsUnder(const std::filesystem::path& root);

}  // namespace vx
