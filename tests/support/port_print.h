#pragma once
// Port lists and Combo1's entries in test failures as text, not bytes.

#include <ostream>

#include "device/port_entries.h"
#include "device/port_list.h"

namespace vx {

inline void PrintTo(const SerialPortInfo& port, std::ostream* out) {
  *out << '{' << port.name << " | " << port.description << '}';
}

inline void PrintTo(const PortEntryState& state, std::ostream* out) {
  *out << "selected " << state.selected << ", text '" << state.text << "', entries:";
  for (const std::string& entry : state.entries) *out << " '" << entry << '\'';
}

}  // namespace vx
