#pragma once
// The one reader of ODBC connection strings: KEY=value pairs split at ";", a
// value in braces taken whole, "}}" inside a braced value standing for one
// brace. Masking, the connection's summary and the dialogs' password all go
// through it, so they cannot disagree on where a value ends.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/ascii_case.h"

namespace vx {

struct ConnectionAttribute {
  std::string key;    // as written, blanks around it taken off
  std::string value;  // braces taken off and "}}" made "}"; blanks around an unbraced value taken off
};

std::vector<ConnectionAttribute> ConnectionAttributes(std::string_view text);

// Where the value that starts at `pos` ends. A braced value ends at the next
// ";" after its closing brace (what lies between belongs to no key), or at
// the end when the brace is never closed; an unbraced one at the next ";",
// or at a line's end when `lineEnds` (a driver's message may echo a
// connection string in the middle of a sentence).
std::size_t ConnectionValueEnd(std::string_view text, std::size_t pos, bool lineEnds = false);

// PWD and PASSWORD, in any case.
bool IsPasswordKey(std::string_view key);

// The connection with ";PWD={password}" added, the password braced so that
// any ";" or "}" in it stays part of it. The connection unchanged when the
// password is empty.
std::string WithPassword(std::string connection, std::string_view password);

}  // namespace vx
