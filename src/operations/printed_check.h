#pragma once
// "Check Printed Number": cards and fobs carry a number printed or engraved on
// them besides the one they encode, and a site's access-control system keeps
// both. A pile of fobs programmed out of order shows nothing until the wrong
// person's fob opens a door; so before each Write Card the operator gives the
// number printed on the card in hand (typed, or by a keyboard-wedge scanner,
// which types digits then Enter), and the card is written only when it is the
// one expected: the card-number file's printed number for its entry, or, for
// a file without them and for typed cards, the card number plus a fixed
// offset (0: the card is printed with its own number).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cardlist/card_list.h"
#include "carddata/card_data.h"
#include "operations/device_link.h"
#include "operations/form_state.h"

namespace vx {

// The most digits the offset box takes: any card number plus any offset still
// fits a 64-bit number.
inline constexpr std::size_t kPrintedOffsetDigits = 10;

// The "Check Printed Number" check box changed to `ticked`.
void CheckPrintedNumber_Click(FormState& state, bool ticked);
// The offset's text, as the box holds it or the command line gives it: digits
// (at most kPrintedOffsetDigits), empty for 0. False, and the offset as it
// was, for any other text.
bool SetPrintedOffset(FormState& state, std::string_view text);

// Whether printed numbers are in use: the box ticked, or a card-number file
// with printed numbers loaded. A record made meanwhile names them in its header.
bool PrintedNumbersInUse(const FormState& state);

// What the operator typed or the scanner sent, without the blanks and the
// line end around it; nothing when that is not 1 to 20 digits.
std::optional<std::string> PrintedDigits(std::string_view typed);

// The printed number the card in hand must carry, and how it is compared: a
// file's printed number as written ("0004711" is not "4711"), a number made
// from the card number as a number, leading zeros aside.
struct ExpectedPrinted {
  std::string number;
  bool asWritten = false;
  bool operator==(const ExpectedPrinted&) const = default;
};
// `entry` is the card-number file's entry of the card, nullptr for a typed card.
ExpectedPrinted ExpectedPrintedOf(const CardNumbers& card, const CardEntry* entry, std::uint64_t offset);
bool PrintedMatches(const ExpectedPrinted& expected, std::string_view digits);

// What the check made of the card about to be written.
struct PrintedCheck {
  bool allowed = false;  // false: nothing is sent and nothing advances; the banner says why
  std::string printed;   // the card's printed number for the record; empty when none is known
};
// Before anything is sent for `card`: with the box ticked, asks for the
// printed number and compares it; with it off, lets the card through with
// the entry's printed number, if the file has one.
PrintedCheck CheckPrintedNumber(Device& dev, const CardNumbers& card, bool cardFromList);

// The words of the check.
std::string PrintedNumberPrompt(const CardNumbers& card);
std::string PrintedMismatchText(std::string_view printed, const ExpectedPrinted& expected, bool cardFromList);

}  // namespace vx
