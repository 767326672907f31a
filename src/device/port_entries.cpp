#include "device/port_entries.h"

namespace vx {

std::string PortEntryText(const SerialPortInfo& port) {
  if (port.description.empty()) return port.name;
  return port.name + std::string(kPortEntrySeparator) + port.description;
}

std::vector<std::string> PortEntries(const std::vector<SerialPortInfo>& ports) {
  std::vector<std::string> entries;
  entries.reserve(kNumberedPortEntries + ports.size());
  for (int entry = 1; entry <= kNumberedPortEntries; ++entry) entries.push_back(std::to_string(entry));
  for (const SerialPortInfo& port : ports) entries.push_back(PortEntryText(port));
  return entries;
}

std::optional<std::string> PortOfEntryText(std::string_view text) {
  const std::size_t separator = text.find(kPortEntrySeparator);
  if (separator == std::string_view::npos || separator == 0) return std::nullopt;
  const std::string_view name = text.substr(0, separator);
  // A port's name is one word; a number would be one of the numbered entries.
  bool digitsOnly = true;
  for (char c : name) {
    if (c == ' ' || c == '\t') return std::nullopt;
    if (c < '0' || c > '9') digitsOnly = false;
  }
  if (digitsOnly) return std::nullopt;
  return std::string(name);
}

PortEntryState RefreshPortEntries(const std::vector<SerialPortInfo>& ports, const PortChoice& current) {
  PortEntryState state{PortEntries(ports), -1, current.typedText};
  const int numbered = current.selectedIndex;
  if (numbered >= 0 && numbered < kNumberedPortEntries && current.typedText == state.entries[numbered]) {
    state.selected = numbered;
    return state;
  }
  // A port's entry, chosen now or before its port went away.
  std::optional<std::string> chosen = PortOfEntryText(current.typedText);
  if (!chosen && current.selectedIndex >= kNumberedPortEntries) chosen = current.typedText;
  if (!chosen) return state;
  for (std::size_t i = 0; i < ports.size(); ++i) {
    if (ports[i].name != *chosen) continue;
    state.selected = kNumberedPortEntries + static_cast<int>(i);
    state.text = state.entries[state.selected];
    break;
  }
  return state;
}

}  // namespace vx
