// Text from outside printed to a terminal: no byte of it can steer the
// terminal, and what a person can read stays as it was.

#include <gtest/gtest.h>

#include "i18n/terminal_text.h"

namespace vx {
namespace {

TEST(TerminalText, EscapesEveryControlKeepsPrintableText) {
  struct Case {
    const char* name;
    std::string text;
    LineBreaks breaks;
    std::string printed;
  };
  const Case cases[] = {
      {"plain ASCII", "DESK-2 C:\\batches\\cards.txt", LineBreaks::Escaped, "DESK-2 C:\\batches\\cards.txt"},
      {"printable UTF-8", "Kasse \u00e9\u00df \u2714 \U0001F600", LineBreaks::Escaped,
       "Kasse \u00e9\u00df \u2714 \U0001F600"},
      {"a window title and a cleared screen", "X\x1b]0;owned\x07\x1b[2J", LineBreaks::Escaped,
       "X\\x1b]0;owned\\x07\\x1b[2J"},
      {"NUL, tab, carriage return and DEL", std::string("a\0b\tc\rd\x7f", 8), LineBreaks::Escaped,
       "a\\x00b\\x09c\\x0dd\\x7f"},
      {"a newline in one line", "DESK-1\nDESK-9\twritten", LineBreaks::Escaped, "DESK-1\\x0aDESK-9\\x09written"},
      {"a newline in a message", "first\nsecond\x1b", LineBreaks::Kept, "first\nsecond\\x1b"},
      {"C1 controls: CSI and NEL", "a\xc2\x9b" "2Jb\xc2\x85" "c", LineBreaks::Escaped, "a\\u009b2Jb\\u0085c"},
      {"a Latin-1 byte", "Kasse \xe9", LineBreaks::Escaped, "Kasse \\xe9"},
      {"a raw C1 byte", "a\x9b" "2J", LineBreaks::Escaped, "a\\x9b2J"},
      {"an overlong ESC", "a\xc1\x9b", LineBreaks::Escaped, "a\\xc1\\x9b"},
      {"a surrogate", "a\xed\xa0\x80", LineBreaks::Escaped, "a\\xed\\xa0\\x80"},
      {"past U+10FFFF", "\xf4\x90\x80\x80", LineBreaks::Escaped, "\\xf4\\x90\\x80\\x80"},
      {"a sequence cut short at the end", "ok\xe2\x9c", LineBreaks::Escaped, "ok\\xe2\\x9c"},
      {"empty", "", LineBreaks::Escaped, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TerminalText(c.text, c.breaks), c.printed);
  }
}

}  // namespace
}  // namespace vx
