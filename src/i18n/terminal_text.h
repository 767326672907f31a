#pragma once
// Text from outside the program (a station's name from the database, a path,
// a server's reason) as it may be printed to a terminal: a control character
// in it would move the cursor, retitle the window or clear the screen of
// whoever reads the output, so every one is shown as an escape instead.
//
//   "DESK\x1b]0;owned\x07" prints as  DESK\x1b]0;owned\x07
//
// C0 controls, DEL and invalid UTF-8 bytes are shown as \xNN, C1 controls
// (U+0080..U+009F) as \u0080..\u009f; valid printable UTF-8 is kept as it is.

#include <cstddef>
#include <string>
#include <string_view>

namespace vx {

enum class LineBreaks {
  Escaped,  // a newline is shown as \x0a: one line stays one line
  Kept,     // a newline stays: a message of several lines of the program's own
};

std::string TerminalText(std::string_view text, LineBreaks breaks = LineBreaks::Escaped);

// One step through UTF-8: the code point at `at` and its length in bytes; a
// byte that does not start a valid sequence (overlong, a surrogate, past
// U+10FFFF, cut short) is a step of 1 with code point -1.
struct Utf8Step {
  long codePoint;
  std::size_t length;
};
Utf8Step Utf8StepAt(std::string_view text, std::size_t at);

// Characters that are not seen but act: they move the cursor, end a line,
// start a terminal's escape, or make the text around them read in another
// order (C0, DEL, C1, the line and paragraph separators, the marks that
// reorder text). A name or a layout holding one shows as something it is not.
bool IsControlCharacter(long codePoint);
// "U+001B", as messages name a character.
std::string CodePointName(long codePoint);

}  // namespace vx
