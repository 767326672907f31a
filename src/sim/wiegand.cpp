#include "sim/wiegand.h"

#include <cstddef>

namespace vx::sim {

bool FitsInBits(std::uint64_t value, int bits) {
  if (bits < 0) return false;
  if (bits >= 64) return true;
  return (value >> bits) == 0;
}

namespace {

void AppendField(BitImage& bits, std::uint64_t value, int width) {
  for (int i = width - 1; i >= 0; --i) bits.push_back(i < 64 && ((value >> i) & 1U) != 0);
}

// Reads `width` bits MSB first; false when a one lies beyond the 64 bits kept.
bool ReadField(const BitImage& bits, std::size_t from, int width, std::uint64_t& value) {
  value = 0;
  for (int i = 0; i < width; ++i) {
    const bool bit = bits[from + static_cast<std::size_t>(i)];
    const int weight = width - 1 - i;
    if (weight >= 64) {
      if (bit) return false;
      continue;
    }
    if (bit) value |= std::uint64_t{1} << weight;
  }
  return true;
}

// Number of ones in bits[from, from + count).
int Ones(const BitImage& bits, std::size_t from, std::size_t count) {
  int ones = 0;
  for (std::size_t i = from; i < from + count; ++i) ones += bits[i] ? 1 : 0;
  return ones;
}

}  // namespace

std::optional<BitImage> EncodeWiegand(const WiegandLayout& layout, std::uint64_t fc, std::uint64_t cn) {
  if (layout.fcBits < 0 || layout.cnBits < 0) return std::nullopt;
  if (!FitsInBits(fc, layout.fcBits) || !FitsInBits(cn, layout.cnBits)) return std::nullopt;
  BitImage data;
  AppendField(data, fc, layout.fcBits);
  AppendField(data, cn, layout.cnBits);

  const auto evenHalf = static_cast<std::size_t>(layout.EvenHalfBits());
  const bool evenParity = Ones(data, 0, evenHalf) % 2 != 0;
  const bool oddParity = Ones(data, evenHalf, data.size() - evenHalf) % 2 == 0;

  BitImage bits;
  bits.reserve(data.size() + 2);
  bits.push_back(evenParity);
  bits.insert(bits.end(), data.begin(), data.end());
  bits.push_back(oddParity);
  return bits;
}

WiegandReading DecodeWiegand(const WiegandLayout& layout, const BitImage& bits) {
  WiegandReading reading;
  if (layout.fcBits < 0 || layout.cnBits < 0 ||
      bits.size() != static_cast<std::size_t>(layout.TotalBits())) {
    reading.error = WiegandError::LengthMismatch;
    return reading;
  }
  const auto dataBits = static_cast<std::size_t>(layout.DataBits());
  const auto evenHalf = static_cast<std::size_t>(layout.EvenHalfBits());
  // Each half counted together with its own parity bit.
  const bool evenOk = (Ones(bits, 0, evenHalf + 1) % 2) == 0;
  const bool oddOk = (Ones(bits, 1 + evenHalf, dataBits - evenHalf + 1) % 2) == 1;
  if (!evenOk || !oddOk) {
    reading.error = WiegandError::Parity;
    return reading;
  }
  if (!ReadField(bits, 1, layout.fcBits, reading.fc) ||
      !ReadField(bits, 1 + static_cast<std::size_t>(layout.fcBits), layout.cnBits, reading.cn)) {
    reading.error = WiegandError::TooWide;
  }
  return reading;
}

}  // namespace vx::sim
