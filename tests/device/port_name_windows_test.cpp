// What a Windows build opens for the port the operator chose.

#include <gtest/gtest.h>

#include "device/port_name.h"

namespace vx {
namespace {

TEST(WindowsPortName, EntriesAreCom1ToCom16) {
  EXPECT_TRUE(NativePortNaming() == PortNaming::Windows);
  for (int entry = 0; entry < 16; ++entry) {
    const std::string number = std::to_string(entry + 1);
    EXPECT_EQ(PortNameFor({entry, number}, NativePortNaming()), "COM" + number);
    EXPECT_EQ(PortNameFor({-1, number}, NativePortNaming()), "COM" + number) << "typed " << number;
  }
  EXPECT_EQ(PortNameFor({-1, "17"}, NativePortNaming()), std::nullopt);
}

TEST(WindowsPortName, TypedNames) {
  const struct {
    const char* typed;
    std::optional<std::string> opened;
  } cases[] = {
      {"COM3", "COM3"},
      {"com12", "COM12"},
      {" cOm20\t", "COM20"},
      {"\\\\.\\COM12", "\\\\.\\COM12"},
      {"\\\\.\\com12", "\\\\.\\com12"},
      {"COM", std::nullopt},
      {"COM1:", std::nullopt},
      {"\\\\.\\", std::nullopt},
      {"C:\\COM3", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(PortNameFor({-1, c.typed}, NativePortNaming()), c.opened) << c.typed;
}

}  // namespace
}  // namespace vx
