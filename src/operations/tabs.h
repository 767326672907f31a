#pragma once
// The one table of the window's nine tabs. The window is built from it, every
// Read Card / Write Card button is bound through it, and "Browse" uses it to
// choose the boxes of the tab in front. Boxes, buttons and labels are named by
// their control number: box 3 is Text3, button 4 is Command4, label 1 is Label1.

#include <array>
#include <string>
#include <string_view>

#include "carddata/card_data.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

// A range label's caption: its words, translated when shown, with the range
// in them ("Facility Code:0-255 "); the range keeps the blanks the label
// carries.
struct RangeCaption {
  LazyText words;          // "Facility Code:%s" or "Card Number:%s"
  std::string_view range;  // "0-255 ", "  1-65535"

  std::string str() const { return Format(words.str(), range); }
  operator std::string() const { return str(); }
  friend bool operator==(const std::string& shown, const RangeCaption& caption) { return shown == caption.str(); }
};

// TRANSLATORS: the caption beside the facility-code box; %s is its range, as
// in "Facility Code:0-255".
inline constexpr LazyText kFacilityCodeRange = TrLater("Facility Code:%s");
// TRANSLATORS: the caption beside the card-number box; %s is its range, as in
// "Card Number:1-65535" (blanks before the range are kept as they are).
inline constexpr LazyText kCardNumberRange = TrLater("Card Number:%s");

enum class TabKind { Hid, Em4100 };

struct TabSpec {
  int position;                 // index in SSTab1
  std::string_view caption;     // tab caption, blanks as the tab carries them
  std::string_view formatName;  // upper-case HID.cfg name; empty for EM4100
  TabKind kind;
  int fcBox;                    // Text<n> of the facility code
  int fcMaxLength;
  int cnBox;                    // Text<n> of the card number
  int cnMaxLength;
  int readButton;               // Command<n> "Read Card"
  int writeButton;              // Command<n> "Write Card"
  int fcLabel;                  // Label<n> of the facility-code range
  RangeCaption fcLabelCaption;
  int cnLabel;                  // Label<n> of the card-number range
  RangeCaption cnLabelCaption;
};

inline constexpr int kTabCount = 9;
inline constexpr int kStartTab = 8;  // "HID WG24" is in front at start-up

inline constexpr std::array<TabSpec, kTabCount> kTabs{{
    {0, "HID  WG26", "HID26", TabKind::Hid, 3, 3, 4, 5, 3, 4, 1, {kFacilityCodeRange, "0-255 "}, 2, {kCardNumberRange, "  1-65535"}},
    {1, "HID  WG32", "HID32", TabKind::Hid, 1, 5, 5, 5, 1, 5, 3, {kFacilityCodeRange, "0-16383"}, 4, {kCardNumberRange, "  1-65535"}},
    {2, "HID WG34", "HID34", TabKind::Hid, 14, 5, 13, 5, 17, 16, 13, {kFacilityCodeRange, "0-65535"}, 12, {kCardNumberRange, "  1-65535"}},
    {3, "HID WG35", "HID35", TabKind::Hid, 12, 4, 11, 7, 15, 14, 11, {kFacilityCodeRange, "0-8191"}, 9, {kCardNumberRange, "  1-1048575"}},
    {4, "HID WG36", "HID36", TabKind::Hid, 6, 5, 7, 6, 6, 7, 5, {kFacilityCodeRange, "0-32767"}, 6, {kCardNumberRange, "  1-524287"}},
    {5, "HID WG37", "HID37", TabKind::Hid, 9, 5, 8, 6, 9, 8, 7, {kFacilityCodeRange, "0-65535"}, 8, {kCardNumberRange, "  1-524287"}},
    {6, "HID WG40", "HID40", TabKind::Hid, 16, 5, 15, 7, 19, 18, 15, {kFacilityCodeRange, "0-65535"}, 14, {kCardNumberRange, "  1-4194303"}},
    {7, "EM4100", "", TabKind::Em4100, 18, 3, 17, 10, 21, 20, 17, {kFacilityCodeRange, "0-255"}, 16, {kCardNumberRange, "  1-4294967295"}},
    {8, "HID WG24", "HID24", TabKind::Hid, 19, 2, 10, 5, 13, 10, 18, {kFacilityCodeRange, "0-63"}, 10, {kCardNumberRange, "  1-65535"}},
}};

// The tab at a position of SSTab1, or nullptr outside 0..8.
constexpr const TabSpec* TabAt(int position) {
  return position >= 0 && position < kTabCount ? &kTabs[static_cast<std::size_t>(position)] : nullptr;
}

// The name the record, the shared record and the command line give a tab's format.
constexpr std::string_view CardFormatOf(const TabSpec& tab) {
  return tab.kind == TabKind::Em4100 ? kEm4100FormatName : tab.formatName;
}

// The tab whose format name is `name` (upper case), or nullptr.
constexpr const TabSpec* TabOfFormat(std::string_view name) {
  for (const TabSpec& tab : kTabs)
    if (tab.kind == TabKind::Hid && tab.formatName == name) return &tab;
  return nullptr;
}

}  // namespace vx
