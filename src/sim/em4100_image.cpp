#include "sim/em4100_image.h"

namespace vx::sim {

namespace {

bool DataBit(std::uint64_t data, std::size_t row, std::size_t column) {
  const std::size_t fromTop = row * kEm4100RowBits + column;  // 0 = the most significant of 40
  return ((data >> (39 - fromTop)) & 1U) != 0;
}

std::size_t RowStart(std::size_t row) { return kEm4100HeaderBits + row * (kEm4100RowBits + 1); }
constexpr std::size_t kColumnParityStart = kEm4100HeaderBits + kEm4100Rows * (kEm4100RowBits + 1);

}  // namespace

BitImage EncodeEm4100(std::uint64_t data) {
  data &= kEm4100DataMask;
  BitImage bits(kEm4100HeaderBits, true);
  bool columnParity[kEm4100RowBits] = {};
  for (std::size_t row = 0; row < kEm4100Rows; ++row) {
    bool rowParity = false;
    for (std::size_t column = 0; column < kEm4100RowBits; ++column) {
      const bool bit = DataBit(data, row, column);
      bits.push_back(bit);
      rowParity ^= bit;
      columnParity[column] ^= bit;
    }
    bits.push_back(rowParity);
  }
  for (bool parity : columnParity) bits.push_back(parity);
  bits.push_back(false);
  return bits;
}

Em4100Reading DecodeEm4100(const BitImage& bits) {
  Em4100Reading reading;
  if (bits.size() != kEm4100ImageBits) {
    reading.error = Em4100Error::LengthMismatch;
    return reading;
  }
  for (std::size_t i = 0; i < kEm4100HeaderBits; ++i) {
    if (!bits[i]) {
      reading.error = Em4100Error::Header;
      return reading;
    }
  }
  bool columnParity[kEm4100RowBits] = {};
  std::uint64_t data = 0;
  for (std::size_t row = 0; row < kEm4100Rows; ++row) {
    bool rowParity = false;
    for (std::size_t column = 0; column < kEm4100RowBits; ++column) {
      const bool bit = bits[RowStart(row) + column];
      data = (data << 1) | (bit ? 1U : 0U);
      rowParity ^= bit;
      columnParity[column] ^= bit;
    }
    if (rowParity != bits[RowStart(row) + kEm4100RowBits]) {
      reading.error = Em4100Error::RowParity;
      return reading;
    }
  }
  for (std::size_t column = 0; column < kEm4100RowBits; ++column) {
    if (columnParity[column] != bits[kColumnParityStart + column]) {
      reading.error = Em4100Error::ColumnParity;
      return reading;
    }
  }
  if (bits[kEm4100ImageBits - 1]) {
    reading.error = Em4100Error::StopBit;
    return reading;
  }
  reading.data = data;
  return reading;
}

}  // namespace vx::sim
