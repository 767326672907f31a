#include <algorithm>
#include <cctype>
#include <string_view>

#include "device/port_list.h"

namespace vx {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits compared by value: leading zeros skipped, then the longer run is the
// larger number, then digit by digit.
int CompareNumbers(std::string_view a, std::string_view b) {
  while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
  while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

bool NameBefore(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t endA = i;
      std::size_t endB = j;
      while (endA < a.size() && IsDigit(a[endA])) ++endA;
      while (endB < b.size() && IsDigit(b[endB])) ++endB;
      if (const int order = CompareNumbers(a.substr(i, endA - i), b.substr(j, endB - j)); order != 0)
        return order < 0;
      i = endA;
      j = endB;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
  // Equal as numbers ("COM07" and "COM7"): any fixed order.
  return a < b;
}

}  // namespace

void SortPortsByName(std::vector<SerialPortInfo>& ports) {
  std::stable_sort(ports.begin(), ports.end(),
                   [](const SerialPortInfo& a, const SerialPortInfo& b) { return NameBefore(a.name, b.name); });
  ports.erase(std::unique(ports.begin(), ports.end(),
                          [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.name == b.name; }),
              ports.end());
}

std::string PortDescription(const std::vector<SerialPortInfo>& ports, const std::string& name) {
  for (const SerialPortInfo& port : ports)
    if (port.name == name) return port.description;
  return {};
}

}  // namespace vx
