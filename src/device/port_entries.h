#pragma once
// Combo1's entries: "1" to "16" (COM1 to COM16, /dev/ttyS0 to /dev/ttyS15),
// then the serial ports the system has, each as "NAME — DESCRIPTION". Both
// windows fill the box from here and read it back through PortNameFor, so
// what an entry opens is decided once.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/port_choice.h"
#include "device/port_list.h"

namespace vx {

inline constexpr int kNumberedPortEntries = 16;
// Between a port's name and its description in an entry.
inline constexpr std::string_view kPortEntrySeparator = " \u2014 ";

// "/dev/ttyUSB0 — FT232R USB UART (FTDI)", or the name alone when the system
// says nothing about the port.
std::string PortEntryText(const SerialPortInfo& port);

// The entries in order: "1" to "16", then one per port.
std::vector<std::string> PortEntries(const std::vector<SerialPortInfo>& ports);

// The port a text of the form "NAME — DESCRIPTION" names: NAME, when it is a
// name a port can have; nullopt for any other text.
std::optional<std::string> PortOfEntryText(std::string_view text);

// Combo1 after its list was read again.
struct PortEntryState {
  std::vector<std::string> entries;
  int selected = 0;  // the entry to select, or -1 to leave `text` in the field as typed
  std::string text;  // the field's text
  bool operator==(const PortEntryState&) const = default;
};

// Re-reads Combo1 for `ports`, the operator's choice kept: an entry "1" to
// "16" stays selected, and so does a port's entry while the port is there
// (found by its name, whatever its description says now). A port that is gone
// leaves its entry's text in the field with nothing selected, so an operation
// reports the failed open rather than talk to another device; when the port
// comes back its entry is selected again. Typed text stays as typed.
PortEntryState RefreshPortEntries(const std::vector<SerialPortInfo>& ports, const PortChoice& current);

}  // namespace vx
