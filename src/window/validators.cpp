#include "window/validators.h"

#include <cstddef>
#include <string>

#include "carddata/card_data.h"
#include "formats/format_table.h"

namespace vx {

namespace {

bool AllDigits(const std::string& text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// The current text a box's accepted edits are recorded in.
std::string& RecordedText(FormState& state, const TabSpec& tab, bool cardNumber) {
  if (tab.kind != TabKind::Hid) return cardNumber ? state.Em4100CnText : state.Em4100FcText;
  FormatRow& row = FindFormatRowOf(state.formats, tab.formatName);
  return cardNumber ? row.CnText : row.FcText;
}

// The largest value the box accepts. Card-number limits are held as doubles;
// every facility-code limit is exact as one too.
double UpperLimit(FormState& state, const TabSpec& tab, bool cardNumber) {
  if (tab.kind != TabKind::Hid) return static_cast<double>(cardNumber ? kEm4100CnLimit : kEm4100FcLimit);
  const FormatRow& row = FindFormatRowOf(state.formats, tab.formatName);
  return cardNumber ? row.CnMax : static_cast<double>(row.FcMax);
}

// A digits-only text too long to convert can only come from a handler that
// filled the box; it counts as greater than any limit.
bool Exceeds(const std::string& digits, double limit) {
  const auto value = ParseWholeNumber(digits);
  return !value || static_cast<double>(*value) > limit;
}

}  // namespace

void UndoEditWhileBusy(FormState& state, Host& host, const TabSpec& tab, BoxRole role) {
  if (!state.BusyFlag) return;
  const bool cardNumber = role == BoxRole::CardNumber;
  host.SetBoxText(cardNumber ? tab.cnBox : tab.fcBox, RecordedText(state, tab, cardNumber));
}

void ValidateBox(FormState& state, Host& host, const TabSpec& tab, BoxRole role) {
  BusyGuard guard(state);
  if (!guard.Taken()) return;

  const bool cardNumber = role == BoxRole::CardNumber;
  const int box = cardNumber ? tab.cnBox : tab.fcBox;
  std::string& recorded = RecordedText(state, tab, cardNumber);

  std::string text = host.BoxText(box);
  // SetBoxText fires the box's change event again; BusyFlag, still held,
  // keeps that second run from doing anything.
  auto reset = [&] {
    text = recorded;
    host.SetBoxText(box, text);
  };

  if (!AllDigits(text)) {
    reset();
    return;
  }
  if (!text.empty() && Exceeds(text, UpperLimit(state, tab, cardNumber))) reset();
  if (cardNumber && text == "0") reset();
  recorded = text;
}

}  // namespace vx
