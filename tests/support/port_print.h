#pragma once
// Port lists in test failures as text, not bytes.

#include <ostream>

#include "device/port_list.h"

namespace vx {

inline void PrintTo(const SerialPortInfo& port, std::ostream* out) {
  *out << '{' << port.name << " | " << port.description << '}';
}

}  // namespace vx
