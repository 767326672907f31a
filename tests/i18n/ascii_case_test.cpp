#include <gtest/gtest.h>

#include "i18n/ascii_case.h"

namespace vx::test {
namespace {

// ASCII letters change case; digits, punctuation and every byte of UTF-8
// stay as they are, whatever the locale.
TEST(AsciiCase, FoldsAsciiLettersOnly) {
  struct Case {
    std::string_view text, lower, upper;
  };
  const Case cases[] = {
      {"", "", ""},
      {"Hid26-x_9", "hid26-x_9", "HID26-X_9"},
      {"@[`{", "@[`{", "@[`{"},  // the neighbours of A-Z and a-z
      {"\xC3\xA9t\xC3\x89", "\xC3\xA9t\xC3\x89", "\xC3\xA9T\xC3\x89"},
      {"com3", "com3", "COM3"},
      {"i\xC4\xB1I", "i\xC4\xB1i", "I\xC4\xB1I"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(AsciiLowered(c.text), c.lower);
    EXPECT_EQ(AsciiUppered(c.text), c.upper);
    EXPECT_TRUE(EqualsIgnoringAsciiCase(c.lower, c.upper));
  }
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC3\xA9", "\xC3\x89"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("[", "{"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("pwd", "pwd "));
}

}  // namespace
}  // namespace vx::test
