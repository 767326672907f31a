#pragma once
// The bits a simulated card carries, and what kind of card holds them.

#include <string>
#include <vector>

namespace vx::sim {

// One entry per bit, in the order the card sends them.
using BitImage = std::vector<bool>;

// A reader tells the two technologies apart before it decodes a single bit, so
// a Wiegand read of an EM4100 card fails even if the bit counts happened to agree.
enum class CardKind { Em4100, Wiegand };

struct CardImage {
  CardKind kind = CardKind::Em4100;
  BitImage bits;

  bool operator==(const CardImage&) const = default;
};

// "0101..." with no separators.
std::string BitString(const BitImage& bits);
// Builds an image from '0'/'1' characters, ignoring blanks (for hand-written test images).
BitImage BitsFromString(const std::string& text);

// One line for the frame log: the kind, the length, and the bits grouped as the
// card lays them out (Wiegand: parity | data | parity; EM4100: header, rows,
// column parity, stop bit).
std::string DescribeCard(const CardImage& card);

}  // namespace vx::sim
