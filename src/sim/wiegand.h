#pragma once
// The Wiegand bit image of an HID card.
//
//   E  fc (FcBits, MSB first)  cn (CnBits, MSB first)  O
//
// E is an even parity bit over the first half of the data bits, O an odd parity
// bit over the second half. With D = FcBits + CnBits data bits, the first half is
// the first ceil(D/2) bits and the second half the remaining floor(D/2): an odd
// bit goes to the even half. This gives the familiar 12/12 split of 26-bit cards
// and 16/16 of 34-bit cards; formats that overlap their halves or carry extra
// parity bits are coded by the device from ParamY/ParamZ, which the simulated
// device does not model.

#include <cstdint>
#include <optional>

#include "sim/card_image.h"

namespace vx::sim {

struct WiegandLayout {
  int fcBits = 0;
  int cnBits = 0;

  int DataBits() const { return fcBits + cnBits; }
  int TotalBits() const { return DataBits() + 2; }
  int EvenHalfBits() const { return (DataBits() + 1) / 2; }
};

// True when `value` can be written in `bits` bits.
bool FitsInBits(std::uint64_t value, int bits);

// The card image, or nothing when fc or cn needs more bits than the layout gives
// it: a value is never silently cut down to fit.
std::optional<BitImage> EncodeWiegand(const WiegandLayout& layout, std::uint64_t fc, std::uint64_t cn);

enum class WiegandError {
  None,
  LengthMismatch,  // the card has a different number of bits than the layout
  Parity,          // either parity bit is wrong
  TooWide,         // a field holds a value above 2^64 - 1
};

struct WiegandReading {
  WiegandError error = WiegandError::None;
  std::uint64_t fc = 0;
  std::uint64_t cn = 0;
};

WiegandReading DecodeWiegand(const WiegandLayout& layout, const BitImage& bits);

}  // namespace vx::sim
