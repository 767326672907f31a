#pragma once
// Packing facility codes and card numbers into the five CardData bytes, and back.
//   HID    : d0 d1 = facility code (16-bit big-endian), d2 d3 d4 = card number (24-bit)
//   EM4100 : d0 = facility code (8-bit),  d1..d4 = card number (32-bit big-endian)

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/frame.h"

namespace vx {

inline constexpr std::uint32_t kHidFcLimit = 65535;
inline constexpr std::uint32_t kHidCnLimit = 16777215;
inline constexpr std::uint32_t kEm4100FcLimit = 255;
inline constexpr std::uint64_t kEm4100CnLimit = 4294967295ULL;

// The EM4100 format's name in the record, the shared record, on the command
// line and in exports.
inline constexpr std::string_view kEm4100FormatName = "EM4100";

// The value of a text of decimal digits only ("007" is 7). nullopt for an empty
// text, any other character (sign, blank, point) or a value beyond 2^64-1.
std::optional<std::uint64_t> ParseWholeNumber(std::string_view text);

// The value of a current text when it is a whole number no greater than
// `limit` (at most 2^32-1), else nothing: an empty, signed, fractional or too
// large text is refused rather than written as some other card.
std::optional<std::uint32_t> WholeNumberUpTo(std::string_view text, std::uint64_t limit);

struct CardNumbers {
  std::uint32_t facilityCode = 0;
  std::uint32_t cardNumber = 0;
  std::string FcText() const { return std::to_string(facilityCode); }
  std::string CnText() const { return std::to_string(cardNumber); }
  std::string PairText() const { return FcText() + "," + CnText(); }  // "12,1000", as messages show a card
};

// Callers range-check first; values beyond the widths are masked, never UB.
CardData EncodeHidCardData(std::uint32_t facilityCode, std::uint32_t cardNumber);
CardNumbers DecodeHidCardData(const CardData& data);
CardData EncodeEm4100CardData(std::uint32_t facilityCode, std::uint32_t cardNumber);
CardNumbers DecodeEm4100CardData(const CardData& data);


// The FormatParams of an HID format row's four layout numbers.
struct FormatRow;
FormatParams FormatParamsOf(const FormatRow& row);

}  // namespace vx
