#include "cardlist/card_list.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vx {

std::string FacilityCodeText(const CardEntry& entry) { return std::to_string(entry.facilityCode); }

std::string CardNumberText(const CardEntry& entry) {
  const double value = entry.cardNumber;
  if (std::isfinite(value) && value == std::floor(value)) {
    if (value == 0) return "0";  // never "-0"
    // Every digit of a whole number, never an exponent or a decimal point.
    char digits[400];
    std::snprintf(digits, sizeof digits, "%.0f", value);
    return digits;
  }
  // The shortest text that reads back as the same value.
  char digits[400];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
  if (ec != std::errc()) return std::to_string(value);
  return std::string(digits, end);
}

}  // namespace vx
