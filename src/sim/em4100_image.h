#pragma once
// The 64-bit image an EM4100 card repeats:
//
//   111111111                nine header ones
//   d d d d r   x 10         ten rows: four data bits, MSB first, and their even parity
//   c c c c                  even parity of each of the four data-bit columns
//   0                        stop bit
//
// The 40 data bits are the facility-code byte followed by the 32-bit card number,
// most significant bit first.

#include <cstddef>
#include <cstdint>

#include "sim/card_image.h"

namespace vx::sim {

inline constexpr std::size_t kEm4100HeaderBits = 9;
inline constexpr std::size_t kEm4100Rows = 10;
inline constexpr std::size_t kEm4100RowBits = 4;
inline constexpr std::size_t kEm4100ImageBits = 64;
inline constexpr std::uint64_t kEm4100DataMask = (std::uint64_t{1} << 40) - 1;

// Only the low 40 bits of `data` are used.
BitImage EncodeEm4100(std::uint64_t data);

enum class Em4100Error { None, LengthMismatch, Header, RowParity, ColumnParity, StopBit };

struct Em4100Reading {
  Em4100Error error = Em4100Error::None;
  std::uint64_t data = 0;  // 40 bits
};

Em4100Reading DecodeEm4100(const BitImage& bits);

}  // namespace vx::sim
