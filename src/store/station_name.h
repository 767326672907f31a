#pragma once
// A station's name: what it is called in the shared record's rows, in the
// journal's and the lock's file names, and in every other station's window
// and terminal. It comes from the command line or the computer's name, and
// other stations show it, so it is held to one rule before anything is sent:
// 1 to 64 characters of printable UTF-8, without the blanks around it.

#include <cstddef>
#include <string>
#include <string_view>

namespace vx {

inline constexpr std::size_t kStationNameMaxCharacters = 64;

struct StationNameCheck {
  std::string name;     // the name as the station goes by: trimmed of spaces and tabs
  std::string problem;  // empty when the name will do; else what is wrong with it
};

// Applies the rule to `given`: trimmed of surrounding blanks, then at least
// one and at most kStationNameMaxCharacters code points of valid UTF-8 with no
// control character (C0, DEL, C1, the line separators, the marks that reorder
// text) in it. `problem` says what is wrong, in the operator's language, as
// "the name ..." without a full stop.
StationNameCheck CheckStationName(std::string_view given);

// The refusal of a name that breaks the rule, for a station that did not name
// itself on the command line (the computer's name), with `problem` as
// CheckStationName gives it.
std::string StationNameRefusal(const std::string& problem);

}  // namespace vx
