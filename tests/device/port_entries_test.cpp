#include "device/port_entries.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

// Combo1's entries: the numbered ones, then `ports`.
std::vector<std::string> Entries(std::vector<std::string> ports) {
  std::vector<std::string> entries;
  for (int n = 1; n <= 16; ++n) entries.push_back(std::to_string(n));
  entries.insert(entries.end(), ports.begin(), ports.end());
  return entries;
}

TEST(PortEntries, ReadAgainKeepsTheOperatorsChoice) {
  const std::string usb = "/dev/ttyUSB0 \u2014 FT232R USB UART (FTDI)";
  const std::string uart = "/dev/ttyS0 \u2014 Built-in serial port (16550A)";
  const SerialPortInfo usbPort{"/dev/ttyUSB0", "FT232R USB UART (FTDI)"};
  const SerialPortInfo uartPort{"/dev/ttyS0", "Built-in serial port (16550A)"};
  struct Case {
    const char* name;
    std::vector<SerialPortInfo> ports;
    PortChoice current;
    PortEntryState expected;
  };
  const Case cases[] = {
      {"numbered entry stays", {uartPort}, {3, "4"}, {Entries({uart}), 3, "4"}},
      {"no ports: the numbered entries only", {}, {0, "1"}, {Entries({}), 0, "1"}},
      {"port's entry follows its port to a new place", {uartPort, usbPort}, {16, usb}, {Entries({uart, usb}), 17, usb}},
      {"port's entry with a new description", {usbPort}, {16, "/dev/ttyUSB0 \u2014 old words"}, {Entries({usb}), 16, usb}},
      {"port without a description", {{"/dev/ttyS1", ""}}, {16, "/dev/ttyS1"}, {Entries({"/dev/ttyS1"}), 16, "/dev/ttyS1"}},
      {"port gone: its text stays, nothing selected", {uartPort}, {17, usb}, {Entries({uart}), -1, usb}},
      {"port back: selected again", {uartPort, usbPort}, {-1, usb}, {Entries({uart, usb}), 17, usb}},
      {"typed name stays typed", {usbPort}, {-1, "/dev/ttyUSB0"}, {Entries({usb}), -1, "/dev/ttyUSB0"}},
      {"numbered entry edited stays typed", {usbPort}, {0, "5"}, {Entries({usb}), -1, "5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RefreshPortEntries(c.ports, c.current), c.expected);
  }
}

}  // namespace
}  // namespace vx
