#include "operations/range_captions.h"

#include <gtest/gtest.h>

#include <string>

namespace vx {
namespace {

TEST(FormatTable, RangeCaptions) {
  FormatRow row;
  row.FcMax = 255;
  row.CnMax = 65535;
  EXPECT_EQ(FcRangeCaption(row), "Facility Code:0-255");
  EXPECT_EQ(CnRangeCaption(row), "Card Number:1-65535");
  row.CnMax = 4294967295.0;
  EXPECT_EQ(CnRangeCaption(row), "Card Number:1-4294967295");
  row.CnMax = 633825300114114700748351602687.0;  // 99 bits: still digits, no exponent
  const std::string wide = CnRangeCaption(row);
  EXPECT_EQ(wide.substr(0, 16), "Card Number:1-63");
  EXPECT_EQ(wide.find_first_not_of("0123456789", 14), std::string::npos) << wide;

  for (const char* name : {"HID24", "HID26", "HID32", "HID34", "HID35", "HID36", "HID37", "HID40", "hid24",
                           "hid26", "hid40"})
    EXPECT_TRUE(AppliesRangeCaptions(name)) << name;
  for (const char* name : {"HID99", "Hid26", "HID2", "HID26 ", ""}) EXPECT_FALSE(AppliesRangeCaptions(name)) << name;
}

}  // namespace
}  // namespace vx
