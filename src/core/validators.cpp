#include "core/validators.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/format_table.h"

namespace vx {

namespace {

inline constexpr std::int32_t kEm4100FcMax = 255;
inline constexpr double kEm4100CnMax = 4294967295.0;

bool AllDigits(const std::string& text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// The value of a digits-only text, or nothing when it does not fit 64 bits.
// Such a text can only come from a handler that filled the box; it counts as
// greater than any limit.
bool DigitsValue(const std::string& digits, std::uint64_t& value) {
  value = 0;
  for (char c : digits) {
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return false;
    value = value * 10 + digit;
  }
  return true;
}

// Facility codes are compared as whole numbers, card numbers as doubles since
// their limits are held that way.
bool ExceedsFcLimit(const std::string& digits, std::int32_t limit) {
  std::uint64_t value = 0;
  if (!DigitsValue(digits, value)) return true;
  return limit < 0 || value > static_cast<std::uint64_t>(limit);
}

bool ExceedsCnLimit(const std::string& digits, double limit) {
  std::uint64_t value = 0;
  if (!DigitsValue(digits, value)) return true;
  return static_cast<double>(value) > limit;
}

// The current text a box's accepted edits are recorded in.
std::string& RecordedText(FormState& state, const TabSpec& tab, BoxRole role) {
  const bool cardNumber = role == BoxRole::CardNumber;
  if (tab.kind != TabKind::Hid) return cardNumber ? state.Em4100CnText : state.Em4100FcText;
  FormatRow& row = state.formats.rows[static_cast<std::size_t>(FindFormatRow(state.formats, tab.formatName))];
  return cardNumber ? row.CnText : row.FcText;
}

}  // namespace

void UndoEditWhileBusy(FormState& state, Host& host, const TabSpec& tab, BoxRole role) {
  if (!state.BusyFlag) return;
  host.SetBoxText(role == BoxRole::CardNumber ? tab.cnBox : tab.fcBox, RecordedText(state, tab, role));
}

void ValidateBox(FormState& state, Host& host, const TabSpec& tab, BoxRole role) {
  BusyGuard guard(state);
  if (!guard.Taken()) return;

  const bool cardNumber = role == BoxRole::CardNumber;
  const int box = cardNumber ? tab.cnBox : tab.fcBox;

  std::string* recorded = nullptr;
  std::int32_t fcLimit = kEm4100FcMax;
  double cnLimit = kEm4100CnMax;
  if (tab.kind == TabKind::Hid) {
    FormatRow& row = state.formats.rows[static_cast<std::size_t>(FindFormatRow(state.formats, tab.formatName))];
    recorded = cardNumber ? &row.CnText : &row.FcText;
    fcLimit = row.FcMax;
    cnLimit = row.CnMax;
  } else {
    recorded = cardNumber ? &state.Em4100CnText : &state.Em4100FcText;
  }

  std::string text = host.BoxText(box);
  // SetBoxText fires the box's change event again; BusyFlag, still held,
  // keeps that second run from doing anything.
  auto reset = [&] {
    text = *recorded;
    host.SetBoxText(box, text);
  };

  if (!AllDigits(text)) {
    reset();
    return;
  }
  if (!text.empty() && (cardNumber ? ExceedsCnLimit(text, cnLimit) : ExceedsFcLimit(text, fcLimit))) reset();
  if (cardNumber && text == "0") reset();
  *recorded = text;
}

}  // namespace vx
