#pragma once
// The card-number file: facility-code and card-number pairs, read whole.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cardlist/card_list.h"

namespace vx {

// The most digits a printed number has.
inline constexpr std::size_t kPrintedNumberDigits = 20;

// Why a card-number file was refused. The list is taken whole or not at all,
// so an operator never writes a batch from a file that was half understood.
struct CardFileError {
  std::string file;
  int line = 0;         // 1-based; 0 when the file could not be opened
  std::string value;    // the value at fault, printable and shortened; may be empty
  std::string problem;  // plain words, e.g. "is not a whole decimal number"
  std::string Message() const;
};

struct CardFileResult {
  std::vector<CardEntry> entries;  // file order; empty when `error` is set
  std::optional<CardFileError> error;
};

// Values are separated by commas or line ends and taken in pairs: facility
// code, then card number. Blank lines are no values; blanks around a value and
// double quotes around it are dropped. Refused as a whole: a value that is not
// a whole decimal number (an empty value included), a facility code outside
// signed 32 bits, a card number whose size passes 2^53 (beyond that a double
// no longer holds every whole number), an odd number of values, or more than
// kCardListCapacity pairs. Negative values load; the write refuses them. A
// UTF-8 byte-order mark at the very start is skipped.
//
// A file whose first line is the header "fc,cn,printed" (in any case, blanks
// allowed around the commas) carries each card's printed number: after the
// header, each line that is not blank holds exactly three values, the third
// the number printed on the card (digits, at most kPrintedNumberDigits,
// leading zeros kept as written). The header is no entry.
CardFileResult ParseCardText(std::string_view text, const std::string& fileName);
// A full list of kCardListCapacity pairs, each of the widest numbers with
// blanks around them, takes well under half a megabyte. The limit leaves a
// wide margin for blanks, quotes and blank lines; anything larger is not a
// card-number file, and reading it whole would stall the window.
inline constexpr std::uintmax_t kCardFileMaxBytes = 4 * 1024 * 1024;

// Reads and parses a card-number file; `path` is UTF-8. Anything but a regular
// file of at most kCardFileMaxBytes is refused unread.
CardFileResult ReadCardFile(const std::string& path);

}  // namespace vx
