#include "carddata/card_data.h"

#include <limits>

#include "formats/format_table.h"

namespace vx {

std::optional<std::uint64_t> ParseWholeNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (kMax - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

std::optional<std::uint32_t> WholeNumberUpTo(std::string_view text, std::uint64_t limit) {
  const auto value = ParseWholeNumber(text);
  if (!value || *value > limit || *value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

CardData EncodeHidCardData(std::uint32_t facilityCode, std::uint32_t cardNumber) {
  const std::uint32_t fc = facilityCode & kHidFcLimit;
  const std::uint32_t cn = cardNumber & kHidCnLimit;
  return {static_cast<std::uint8_t>(fc >> 8), static_cast<std::uint8_t>(fc),
          static_cast<std::uint8_t>(cn >> 16), static_cast<std::uint8_t>(cn >> 8),
          static_cast<std::uint8_t>(cn)};
}

CardNumbers DecodeHidCardData(const CardData& data) {
  return {static_cast<std::uint32_t>(data[0]) << 8 | data[1],
          static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 8 | data[4]};
}

CardData EncodeEm4100CardData(std::uint32_t facilityCode, std::uint32_t cardNumber) {
  return {static_cast<std::uint8_t>(facilityCode), static_cast<std::uint8_t>(cardNumber >> 24),
          static_cast<std::uint8_t>(cardNumber >> 16), static_cast<std::uint8_t>(cardNumber >> 8),
          static_cast<std::uint8_t>(cardNumber)};
}

CardNumbers DecodeEm4100CardData(const CardData& data) {
  return {data[0], static_cast<std::uint32_t>(data[1]) << 24 | static_cast<std::uint32_t>(data[2]) << 16 |
                       static_cast<std::uint32_t>(data[3]) << 8 | data[4]};
}

FormatParams FormatParamsOf(const FormatRow& row) {
  return {static_cast<std::uint8_t>(row.FcBits), static_cast<std::uint8_t>(row.CnBits),
          static_cast<std::uint8_t>(row.ParamY), static_cast<std::uint8_t>(row.ParamZ)};
}

}  // namespace vx
