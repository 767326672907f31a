#include "sim/card_image.h"

#include "sim/em4100_image.h"

namespace vx::sim {

std::string BitString(const BitImage& bits) {
  std::string text;
  text.reserve(bits.size());
  for (bool b : bits) text.push_back(b ? '1' : '0');
  return text;
}

BitImage BitsFromString(const std::string& text) {
  BitImage bits;
  for (char c : text) {
    if (c == '0' || c == '1') bits.push_back(c == '1');
  }
  return bits;
}

namespace {

std::string Grouped(const std::string& bits, const std::vector<std::size_t>& groupSizes) {
  std::string out;
  std::size_t at = 0;
  for (std::size_t size : groupSizes) {
    if (at >= bits.size()) break;
    if (!out.empty()) out.push_back(' ');
    out += bits.substr(at, size);
    at += size;
  }
  if (at < bits.size()) {
    if (!out.empty()) out.push_back(' ');
    out += bits.substr(at);
  }
  return out;
}

}  // namespace

std::string DescribeCard(const CardImage& card) {
  const std::string bits = BitString(card.bits);
  const std::string length = std::to_string(card.bits.size()) + " bits";
  if (card.kind == CardKind::Em4100) {
    std::vector<std::size_t> groups{kEm4100HeaderBits};
    for (std::size_t row = 0; row < kEm4100Rows; ++row) groups.push_back(kEm4100RowBits + 1);
    groups.push_back(kEm4100RowBits);
    groups.push_back(1);
    return "EM4100, " + length + ": " + Grouped(bits, groups);
  }
  if (bits.size() < 2) return "Wiegand, " + length + ": " + bits;
  return "Wiegand, " + length + ": " + Grouped(bits, {1, bits.size() - 2, 1});
}

}  // namespace vx::sim
