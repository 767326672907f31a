#pragma once
// The serial ports the system has, by the names the system gives them, with
// what each one is ("FT232R USB UART (FTDI)", "USB Serial Port").

#include <string>
#include <vector>

namespace vx {

struct SerialPortInfo {
  std::string name;         // what opens it: /dev/ttyUSB0, COM7
  std::string description;  // what it is; may be empty
  bool operator==(const SerialPortInfo&) const = default;
};

// The ports present now, sorted by name.
std::vector<SerialPortInfo> ListSerialPorts();

}  // namespace vx
