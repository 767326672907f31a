#pragma once
// What a Write Card or Read Card needs to know of its tab: the layout numbers
// sent to the device, the widest values the card can carry, where the tab's
// current texts live, the tab's two boxes, and how its five data bytes pack.
// The HID tabs and the EM4100 tab differ only here; the write-verify-advance
// flow and the read are written once against it.

#include <cstdint>
#include <string>
#include <string_view>

#include "carddata/card_data.h"
#include "device/frame.h"

namespace vx {

struct CardBinding {
  std::string_view tab;        // the tab's caption
  std::string format;          // the format name as used, or EM4100
  FormatParams params;
  std::uint64_t fcLimit = 0;   // largest facility code a write may send
  std::uint64_t cnLimit = 0;   // largest card number a write may send
  std::string* fcText = nullptr;  // the tab's current facility code
  std::string* cnText = nullptr;  // the tab's current card number
  int fcBox = 0;               // Text<n> of the facility code
  int cnBox = 0;               // Text<n> of the card number
  CardData (*encode)(std::uint32_t facilityCode, std::uint32_t cardNumber) = nullptr;
  CardNumbers (*decode)(const CardData& data) = nullptr;
  // Read Card selects List1's last line even when the device refused the read
  // (the EM4100 tab does; the HID tabs leave the selection alone then).
  bool selectAfterRefusedRead = false;
};

}  // namespace vx
