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

// Sorts by name with runs of digits compared as numbers, so COM3 comes
// before COM10 and /dev/ttyUSB2 before /dev/ttyUSB10; a name given twice is
// kept once.
void SortPortsByName(std::vector<SerialPortInfo>& ports);

// The description of the port `name` among `ports`; empty when it is not
// there or the system says nothing about it.
std::string PortDescription(const std::vector<SerialPortInfo>& ports, const std::string& name);

}  // namespace vx
