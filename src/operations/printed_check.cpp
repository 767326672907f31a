#include "operations/printed_check.h"

#include <algorithm>

#include "cardlist/card_file.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

namespace {

bool OnlyDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "0004711" as the number it is, "4711"; all zeros is "0".
std::string_view WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? digits.substr(digits.empty() ? 0 : digits.size() - 1) : digits.substr(first);
}

void RefusePrinted(Device& dev, Refusal why, const std::string& text) {
  if (!dev.host.Closing()) dev.host.ShowRefusal(why, text);
  dev.host.ShowResult({"\u2718 " + text, BannerTone::Bad});
}

}  // namespace

void CheckPrintedNumber_Click(FormState& state, bool ticked) { state.checkPrintedNumber = ticked; }

bool SetPrintedOffset(FormState& state, std::string_view text) {
  if (!OnlyDigits(text) || text.size() > kPrintedOffsetDigits) return false;
  std::uint64_t offset = 0;
  for (const char c : text) offset = offset * 10 + static_cast<std::uint64_t>(c - '0');
  state.printedOffset = offset;
  return true;
}

bool PrintedNumbersInUse(const FormState& state) {
  if (state.checkPrintedNumber) return true;
  const std::vector<CardEntry>& entries = state.cards.entries;
  return std::any_of(entries.begin(), entries.end(), [](const CardEntry& entry) { return !entry.printed.empty(); });
}

std::optional<std::string> PrintedDigits(std::string_view typed) {
  const std::size_t first = typed.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t last = typed.find_last_not_of(" \t\r\n");
  const std::string_view digits = typed.substr(first, last - first + 1);
  if (!OnlyDigits(digits) || digits.size() > kPrintedNumberDigits) return std::nullopt;
  return std::string(digits);
}

ExpectedPrinted ExpectedPrintedOf(const CardNumbers& card, const CardEntry* entry, std::uint64_t offset) {
  if (entry && !entry->printed.empty()) return {entry->printed, true};
  return {std::to_string(static_cast<std::uint64_t>(card.cardNumber) + offset), false};
}

bool PrintedMatches(const ExpectedPrinted& expected, std::string_view digits) {
  if (expected.asWritten) return digits == expected.number;
  return WithoutLeadingZeros(digits) == WithoutLeadingZeros(expected.number);
}

std::string PrintedNumberPrompt(const CardNumbers& card) {
  // TRANSLATORS: the entry box of "Check Printed Number"; %s is the numbers
  // the card is to be written with ("12,1000").
  return Format(Tr("Scan or type the number printed on the card in hand. It is to be written as %s."),
                card.PairText());
}

std::string PrintedMismatchText(std::string_view printed, const ExpectedPrinted& expected, bool cardFromList) {
  if (cardFromList)
    // TRANSLATORS: %1$s is the number printed on the card in hand, %2$s the
    // one the next entry of the card-number file is printed with.
    return Format(Tr("Not written: this card is printed %1$s, the next entry is printed %2$s"), printed,
                  expected.number);
  // TRANSLATORS: %1$s is the number printed on the card in hand, %2$s the one
  // the card typed in would be printed with.
  return Format(Tr("Not written: this card is printed %1$s, the next card is printed %2$s"), printed,
                expected.number);
}

PrintedCheck CheckPrintedNumber(Device& dev, const CardNumbers& card, bool cardFromList) {
  const CardList& list = dev.state.cards;
  const CardEntry* entry =
      cardFromList && !list.UsedUp() ? &list.entries[static_cast<std::size_t>(list.CardCursor)] : nullptr;
  if (!dev.state.checkPrintedNumber) return {true, entry ? entry->printed : std::string()};

  const std::optional<std::string> typed = dev.host.AskPrintedNumber(PrintedNumberPrompt(card));
  if (!typed || dev.host.Closing()) {
    dev.host.ShowResult({"\u2718 " + Tr("Not written: no printed number was given"), BannerTone::Bad});
    return {};
  }
  const std::optional<std::string> digits = PrintedDigits(*typed);
  if (!digits) {
    // TRANSLATORS: %d is the most digits a printed number has.
    RefusePrinted(dev, Refusal::PrintedNumber,
                  Format(Tr("Not written: a printed number is digits only, at most %d of them"),
                         static_cast<int>(kPrintedNumberDigits)));
    return {};
  }
  const ExpectedPrinted expected = ExpectedPrintedOf(card, entry, dev.state.printedOffset);
  if (!PrintedMatches(expected, *digits)) {
    RefusePrinted(dev, Refusal::PrintedNumber, PrintedMismatchText(*digits, expected, cardFromList));
    return {};
  }
  return {true, *digits};
}

}  // namespace vx
