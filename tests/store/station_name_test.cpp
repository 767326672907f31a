// A station's name, as every other station sees it: the one rule that the
// command lines, the computer's name and the window all go through.

#include <gtest/gtest.h>

#include <string>

#include "store/station_name.h"

namespace vx {
namespace {

std::string Times(std::size_t n, const std::string& piece) {
  std::string text;
  for (std::size_t i = 0; i < n; ++i) text += piece;
  return text;
}

TEST(StationName, OneRuleForEveryName) {
  struct Case {
    const char* what;
    std::string given;
    std::string name;     // the name it goes by, when it will do
    std::string problem;  // else what is said
  };
  const Case cases[] = {
      {"a plain name", "DESK-2", "DESK-2", ""},
      {"blanks around it go, those inside stay", " \tO'Brien's  desk \t", "O'Brien's  desk", ""},
      {"letters of any script", "Kasse Nürnberg 收银台 🖨", "Kasse Nürnberg 收银台 🖨", ""},
      // Markup is only text: the windows show it as it is.
      {"markup", "<b>✔ Written</b> &amp;", "<b>✔ Written</b> &amp;", ""},
      {"64 characters of two bytes each", Times(64, "é"), Times(64, "é"), ""},
      {"empty", "", "", "the name is blank"},
      {"only a blank", " ", "", "the name is blank"},
      {"only blanks and tabs", "\t \t", "", "the name is blank"},
      {"65 characters", Times(65, "x"), "", "the name has 65 characters; a station's name has at most 64"},
      {"201 characters", Times(201, "x"), "", "the name has 201 characters; a station's name has at most 64"},
      {"a terminal's title sequence", "DESK\x1b]0;owned\x07", "",
       "the name holds a control character, U+001B, at character 5"},
      {"a line break", "DESK\n2", "", "the name holds a control character, U+000A, at character 5"},
      {"a tab inside", "DESK\t2", "", "the name holds a control character, U+0009, at character 5"},
      {"DEL", "A\x7f", "", "the name holds a control character, U+007F, at character 2"},
      {"C1's next line", "é\xc2\x85", "", "the name holds a control character, U+0085, at character 2"},
      {"C1's string terminator", "\xc2\x9c", "", "the name holds a control character, U+009C, at character 1"},
      {"a mark that reverses the text", "DESK\xe2\x80\xae" "2", "",
       "the name holds a control character, U+202E, at character 5"},
      {"a line separator", "DESK\xe2\x80\xa8", "", "the name holds a control character, U+2028, at character 5"},
      // A Latin-1 letter is refused, never turned into U+FFFD.
      {"a Latin-1 letter", "  caf\xe9", "", "the name is not UTF-8 text: byte 6 is not part of a character"},
      {"a stray continuation byte", "\x80" "A", "", "the name is not UTF-8 text: byte 1 is not part of a character"},
      {"an overlong form of '/'", "A\xc0\xaf", "", "the name is not UTF-8 text: byte 2 is not part of a character"},
      {"a surrogate", "\xed\xa0\x80", "", "the name is not UTF-8 text: byte 1 is not part of a character"},
      {"beyond U+10FFFF", "\xf4\x90\x80\x80", "", "the name is not UTF-8 text: byte 1 is not part of a character"},
      {"a character cut short", "ab\xe2\x82", "", "the name is not UTF-8 text: byte 3 is not part of a character"},
      {"a nul byte", std::string("A\0B", 3), "", "the name holds a control character, U+0000, at character 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const StationNameCheck check = CheckStationName(c.given);
    EXPECT_EQ(check.problem, c.problem);
    if (c.problem.empty()) {
      EXPECT_EQ(check.name, c.name);
    }
  }
}

}  // namespace
}  // namespace vx
