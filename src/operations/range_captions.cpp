#include "operations/range_captions.h"

#include <cstdio>

#include "i18n/text_format.h"
#include "operations/tabs.h"

namespace vx {

std::string FcRangeCaption(const FormatRow& row) {
  return Format(kFacilityCodeRange.str(), "0-" + std::to_string(row.FcMax));
}

std::string CnRangeCaption(const FormatRow& row) {
  // Whole numbers only; "%.0f" prints every digit, never an exponent.
  char digits[400];
  std::snprintf(digits, sizeof digits, "%.0f", row.CnMax);
  return Format(kCardNumberRange.str(), std::string("1-") + digits);
}

bool AppliesRangeCaptions(std::string_view formatName) {
  static constexpr std::string_view kNames[] = {"HID24", "HID26", "HID32", "HID34", "HID35", "HID36",
                                                "HID37", "HID40", "hid24", "hid26", "hid32", "hid34",
                                                "hid35", "hid36", "hid37", "hid40"};
  for (std::string_view name : kNames) {
    if (name == formatName) return true;
  }
  return false;
}

}  // namespace vx
