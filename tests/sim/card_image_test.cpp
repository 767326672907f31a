#include <gtest/gtest.h>

#include "sim/em4100_image.h"
#include "sim/wiegand.h"

namespace vx::sim {
namespace {

TEST(Wiegand, ImagesWorkedByHand) {
  struct Case {
    const char* name;
    WiegandLayout layout;
    std::uint64_t fc, cn;
    const char* image;  // E | fc | cn | O
  };
  const Case cases[] = {
      // Data 00010010 0000|000100101100: two ones in the first 12 (E=0), four in the last 12 (O=1).
      {"26-bit fc 18 cn 300", {8, 16}, 18, 300, "0 00010010 0000000100101100 1"},
      {"26-bit at its limits", {8, 16}, 255, 65535, "0 11111111 1111111111111111 1"},
      {"26-bit zeros", {8, 16}, 0, 0, "0 00000000 0000000000000000 1"},
      // One one in each 16-bit half: E=1 to make it even, O=0 as it is already odd.
      {"34-bit fc 1 cn 1", {16, 16}, 1, 1, "1 0000000000000001 0000000000000001 0"},
      // Three data bits 1|01|: the odd one goes to the even half ("10"), "1" is left for the odd half.
      {"odd data count", {1, 2}, 1, 1, "1 1 01 0"},
  };
  for (const auto& c : cases) {
    const auto bits = EncodeWiegand(c.layout, c.fc, c.cn);
    ASSERT_TRUE(bits) << c.name;
    EXPECT_EQ(BitString(*bits), BitString(BitsFromString(c.image))) << c.name;
    const WiegandReading back = DecodeWiegand(c.layout, *bits);
    EXPECT_EQ(back.error, WiegandError::None) << c.name;
    EXPECT_EQ(back.fc, c.fc) << c.name;
    EXPECT_EQ(back.cn, c.cn) << c.name;
  }
}

TEST(Wiegand, ValuesTooWideAreRefusedNotCut) {
  EXPECT_FALSE(EncodeWiegand({8, 16}, 256, 1));
  EXPECT_FALSE(EncodeWiegand({8, 16}, 1, 65536));
  EXPECT_FALSE(EncodeWiegand({0, 4}, 1, 1));
  EXPECT_TRUE(EncodeWiegand({0, 4}, 0, 15));
}

TEST(Wiegand, DecodeFindsEveryKindOfBadCard) {
  const BitImage good = *EncodeWiegand({8, 16}, 18, 300);
  BitImage flippedFirstHalf = good;
  flippedFirstHalf[3] = !flippedFirstHalf[3];
  BitImage flippedSecondHalf = good;
  flippedSecondHalf[20] = !flippedSecondHalf[20];
  BitImage flippedOddParity = good;
  flippedOddParity.back() = !flippedOddParity.back();
  BitImage wideField(1 + 70 + 1 + 2, false);  // 70 fc bits with a one above 2^64
  wideField[1] = true;
  wideField[0] = true;       // even half: that one and its parity
  wideField.back() = true;   // odd half: all zeros, so O=1

  struct Case {
    const char* name;
    WiegandLayout layout;
    BitImage bits;
    WiegandError error;
  };
  const Case cases[] = {
      {"26-bit card, 34-bit format", {16, 16}, good, WiegandError::LengthMismatch},
      {"26-bit card, 24-bit format", {6, 16}, good, WiegandError::LengthMismatch},
      {"first half flipped", {8, 16}, flippedFirstHalf, WiegandError::Parity},
      {"second half flipped", {8, 16}, flippedSecondHalf, WiegandError::Parity},
      {"odd parity bit flipped", {8, 16}, flippedOddParity, WiegandError::Parity},
      {"same length, other split", {12, 12}, good, WiegandError::None},
      {"field above 64 bits", {70, 2}, wideField, WiegandError::TooWide},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeWiegand(c.layout, c.bits).error, c.error) << c.name;
}

TEST(Em4100, ImagesWorkedByHand) {
  struct Case {
    const char* name;
    std::uint64_t data;
    const char* image;  // header, ten rows of data+parity, column parity, stop
  };
  const Case cases[] = {
      {"fc 1 cn 1", 0x0100000001,
       "111111111 00000 00011 00000 00000 00000 00000 00000 00000 00000 00011 0000 0"},
      // Nibbles 1..A: row parities 1 1 0 1 0 0 1 1 0 0; columns hold 3, 4, 5, 5 ones.
      {"fc 18 cn 0x3456789A", 0x123456789A,
       "111111111 00011 00101 00110 01001 01010 01100 01111 10001 10010 10100 1011 0"},
      {"all ones", 0xFFFFFFFFFF,
       "111111111 11110 11110 11110 11110 11110 11110 11110 11110 11110 11110 0000 0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BitString(EncodeEm4100(c.data)), BitString(BitsFromString(c.image))) << c.name;
  }
}

TEST(Em4100, DecodeUndoesEncodeAtTheEdges) {
  const std::uint64_t values[] = {0, 1, 0xFF00000000, 0x00FFFFFFFF, 0x8000000000, 0x0100010000,
                                  0xFFFFFFFFFF, 0x123456789A, 0xA5A5A5A5A5};
  for (std::uint64_t v : values) {
    const Em4100Reading reading = DecodeEm4100(EncodeEm4100(v));
    EXPECT_EQ(reading.error, Em4100Error::None) << std::hex << v;
    EXPECT_EQ(reading.data, v) << std::hex << v;
  }
}

TEST(Em4100, DecodeFindsEveryKindOfBadImage) {
  const BitImage good = EncodeEm4100(0x123456789A);
  auto flipped = [&](std::size_t at) {
    BitImage bits = good;
    bits[at] = !bits[at];
    return bits;
  };
  BitImage twoInARow = flipped(9);  // row 0 and its parity both flipped: rows pass, columns do not
  twoInARow[13] = !twoInARow[13];
  BitImage shortImage = good;
  shortImage.pop_back();

  struct Case {
    const char* name;
    BitImage bits;
    Em4100Error error;
  };
  const Case cases[] = {
      {"63 bits", shortImage, Em4100Error::LengthMismatch},
      {"header bit", flipped(4), Em4100Error::Header},
      {"data bit", flipped(20), Em4100Error::RowParity},
      {"row parity bit", flipped(13), Em4100Error::RowParity},
      {"data bit and its row parity", twoInARow, Em4100Error::ColumnParity},
      {"column parity bit", flipped(60), Em4100Error::ColumnParity},
      {"stop bit", flipped(63), Em4100Error::StopBit},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeEm4100(c.bits).error, c.error) << c.name;
}

}  // namespace
}  // namespace vx::sim
