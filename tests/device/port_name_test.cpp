#include "device/port_name.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(PortName, ChoiceToPortName) {
  struct Case {
    PortChoice choice;
    std::optional<std::string> windows;
    std::optional<std::string> posix;
  };
  const Case cases[] = {
      // Entries of the list.
      {{0, "1"}, "COM1", "/dev/ttyS0"},
      {{15, "16"}, "COM16", "/dev/ttyS15"},
      // Typed numbers name the same ports as the entries.
      {{-1, "3"}, "COM3", "/dev/ttyS2"},
      {{-1, " 16 "}, "COM16", "/dev/ttyS15"},
      {{-1, "007"}, "COM7", "/dev/ttyS6"},
      {{-1, "0"}, std::nullopt, std::nullopt},
      {{-1, "17"}, std::nullopt, std::nullopt},
      {{-1, "99999999999999999999"}, std::nullopt, std::nullopt},
      // The combo still reports entry 0 but its text was edited: the text wins.
      {{0, "5"}, "COM5", "/dev/ttyS4"},
      {{0, "abc"}, std::nullopt, std::nullopt},
      {{0, ""}, std::nullopt, std::nullopt},
      // Device paths and COM names are opened as written, blanks trimmed.
      {{-1, "/dev/ttyUSB0"}, "/dev/ttyUSB0", "/dev/ttyUSB0"},
      {{-1, "  /dev/pts/4\t"}, "/dev/pts/4", "/dev/pts/4"},
      {{-1, "\\\\.\\COM10"}, "\\\\.\\COM10", "\\\\.\\COM10"},
      {{-1, "COM3"}, "COM3", "COM3"},
      {{-1, "com12"}, "COM12", "com12"},
      {{-1, " Com7 "}, "COM7", "Com7"},
      // Texts that name no port.
      {{-1, ""}, std::nullopt, std::nullopt},
      {{-1, "   "}, std::nullopt, std::nullopt},
      {{-1, "/"}, std::nullopt, std::nullopt},
      {{-1, "COM"}, std::nullopt, std::nullopt},
      {{-1, "COM3x"}, std::nullopt, std::nullopt},
      {{-1, "-1"}, std::nullopt, std::nullopt},
      {{-1, "port 3"}, std::nullopt, std::nullopt},
      // An index beyond the list is not trusted either.
      {{16, "17"}, std::nullopt, std::nullopt},
      // The system's ports after the numbered entries: exactly the port listed.
      {{16, "/dev/ttyUSB0 \u2014 FT232R USB UART (FTDI)"}, "/dev/ttyUSB0", "/dev/ttyUSB0"},
      {{17, "COM7 \u2014 USB Serial Port"}, "COM7", "COM7"},
      {{16, "/dev/ttyS0"}, "/dev/ttyS0", "/dev/ttyS0"},
      // A port not named COMn opens in the device namespace, never as a file.
      {{18, "CNCA0 \u2014 com0com serial port emulator"}, "\\\\.\\CNCA0", std::nullopt},
      {{18, "CNCA0"}, "\\\\.\\CNCA0", std::nullopt},
      // An entry's text typed out, or left in the field after its port went away.
      {{-1, "/dev/ttyACM0 \u2014 Pico"}, "/dev/ttyACM0", "/dev/ttyACM0"},
      {{-1, "CNCA0 \u2014 com0com serial port emulator"}, std::nullopt, std::nullopt},
      {{-1, "CNCA0"}, std::nullopt, std::nullopt},
      {{-1, "3 \u2014 x"}, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    const std::string label = std::to_string(c.choice.selectedIndex) + " '" + c.choice.typedText + "'";
    EXPECT_EQ(PortNameFor(c.choice, PortNaming::Windows), c.windows) << label;
    EXPECT_EQ(PortNameFor(c.choice, PortNaming::Posix), c.posix) << label;
  }
}

}  // namespace
}  // namespace vx
