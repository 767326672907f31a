#include "device/port_list.h"

namespace vx {

// Until the system's own listing is read, no port is offered beyond Combo1's entries.
std::vector<SerialPortInfo> ListSerialPorts() { return {}; }

}  // namespace vx
