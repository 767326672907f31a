#include "carddata/card_data.h"

#include <gtest/gtest.h>

#include <string>

namespace vx {
namespace {

TEST(CardData, ParseWholeNumber) {
  struct Case {
    std::string_view text;
    std::optional<std::uint64_t> value;
  };
  const Case cases[] = {
      {"0", 0},
      {"0042", 42},
      {"4294967296", 4294967296ULL},
      {"18446744073709551615", 18446744073709551615ULL},
      {"18446744073709551616", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"+1", std::nullopt},
      {"-1", std::nullopt},
      {"1.5", std::nullopt},
      {"1e3", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseWholeNumber(c.text), c.value) << "'" << c.text << "'";
}

enum class Kind { Hid, Em4100 };

CardData Encode(Kind kind, std::uint32_t fc, std::uint32_t cn) {
  return kind == Kind::Hid ? EncodeHidCardData(fc, cn) : EncodeEm4100CardData(fc, cn);
}
// As a write takes its current texts: each a whole number within the kind's width.
std::optional<CardData> Encode(Kind kind, std::string_view fcText, std::string_view cnText) {
  const bool hid = kind == Kind::Hid;
  const auto fc = WholeNumberUpTo(fcText, hid ? kHidFcLimit : kEm4100FcLimit);
  const auto cn = WholeNumberUpTo(cnText, hid ? kHidCnLimit : kEm4100CnLimit);
  if (!fc || !cn) return std::nullopt;
  return Encode(kind, *fc, *cn);
}
CardNumbers Decode(Kind kind, const CardData& bytes) {
  return kind == Kind::Hid ? DecodeHidCardData(bytes) : DecodeEm4100CardData(bytes);
}

// Numbers to bytes and back, and the texts a read shows.
TEST(CardData, EncodeDecodeEdges) {
  struct Case {
    Kind kind;
    std::uint32_t fc, cn;
    CardData bytes;
    const char* fcText;
    const char* cnText;
  };
  using enum Kind;
  const Case cases[] = {
      {Hid, 0, 0, {0x00, 0x00, 0x00, 0x00, 0x00}, "0", "0"},
      {Hid, 0, 1, {0x00, 0x00, 0x00, 0x00, 0x01}, "0", "1"},
      {Hid, 123, 300, {0x00, 0x7B, 0x00, 0x01, 0x2C}, "123", "300"},
      {Hid, 255, 65535, {0x00, 0xFF, 0x00, 0xFF, 0xFF}, "255", "65535"},
      {Hid, 256, 65536, {0x01, 0x00, 0x01, 0x00, 0x00}, "256", "65536"},
      {Hid, 65535, 4194303, {0xFF, 0xFF, 0x3F, 0xFF, 0xFF}, "65535", "4194303"},
      {Hid, 65535, 16777215, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "65535", "16777215"},
      {Em4100, 0, 0, {0x00, 0x00, 0x00, 0x00, 0x00}, "0", "0"},
      {Em4100, 0, 65536, {0x00, 0x00, 0x01, 0x00, 0x00}, "0", "65536"},
      {Em4100, 0, 196608, {0x00, 0x00, 0x03, 0x00, 0x00}, "0", "196608"},
      {Em4100, 0, 16777216, {0x00, 0x01, 0x00, 0x00, 0x00}, "0", "16777216"},
      {Em4100, 1, 4294901760u, {0x01, 0xFF, 0xFF, 0x00, 0x00}, "1", "4294901760"},
      {Em4100, 7, 123456, {0x07, 0x00, 0x01, 0xE2, 0x40}, "7", "123456"},
      {Em4100, 12, 3456789012u, {0x0C, 0xCE, 0x0A, 0x6A, 0x14}, "12", "3456789012"},
      {Em4100, 255, 4294967295u, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "255", "4294967295"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.kind == Hid ? "HID " : "EM4100 ") + c.fcText + "/" + c.cnText);
    EXPECT_EQ(Encode(c.kind, c.fc, c.cn), c.bytes);
    const CardNumbers back = Decode(c.kind, c.bytes);
    EXPECT_EQ(back.facilityCode, c.fc);
    EXPECT_EQ(back.cardNumber, c.cn);
    EXPECT_EQ(back.FcText(), c.fcText);
    EXPECT_EQ(back.CnText(), c.cnText);
  }
}

// The texts a write takes: whole decimal numbers within the kind's ranges.
TEST(CardData, EncodeFromText) {
  struct Case {
    Kind kind;
    std::string_view fc, cn;
    std::optional<CardData> bytes;
  };
  using enum Kind;
  const Case cases[] = {
      {Hid, "0042", "300", CardData{0x00, 0x2A, 0x00, 0x01, 0x2C}},
      {Hid, "65535", "16777215", CardData{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {Hid, "0", "0", CardData{}},
      {Hid, "65536", "1", std::nullopt},
      {Hid, "1", "16777216", std::nullopt},
      {Hid, "", "1", std::nullopt},
      {Hid, "1", "", std::nullopt},
      {Hid, "-1", "1", std::nullopt},
      {Hid, "1", "1.0", std::nullopt},
      {Hid, "99999999999999999999999", "1", std::nullopt},
      {Em4100, "255", "4294967295", CardData{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {Em4100, "0", "0", CardData{}},
      {Em4100, "256", "1", std::nullopt},
      {Em4100, "1", "4294967296", std::nullopt},
      {Em4100, "", "1", std::nullopt},
      {Em4100, "1", "", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(Encode(c.kind, c.fc, c.cn), c.bytes) << c.fc << "/" << c.cn;
}

TEST(CardData, HidRoundTripOverBothRanges) {
  const std::uint32_t cnEdges[] = {0, 1, 255, 256, 65535, 65536, 4194303, 16777214, 16777215};
  long mismatches = 0;
  for (std::uint32_t fc = 0; fc <= kHidFcLimit; ++fc) {
    for (std::uint32_t cn : cnEdges) {
      const CardNumbers n = DecodeHidCardData(EncodeHidCardData(fc, cn));
      mismatches += n.facilityCode != fc || n.cardNumber != cn;
    }
    // A card number of its own for each facility code spreads over the whole range.
    const std::uint32_t cn = (fc * 2654435761u) & kHidCnLimit;
    const CardNumbers n = DecodeHidCardData(EncodeHidCardData(fc, cn));
    mismatches += n.facilityCode != fc || n.cardNumber != cn;
  }
  for (std::uint32_t cn = 0; cn <= kHidCnLimit; cn += 3) {
    const std::uint32_t fc = cn & kHidFcLimit;
    const CardNumbers n = DecodeHidCardData(EncodeHidCardData(fc, cn));
    mismatches += n.facilityCode != fc || n.cardNumber != cn;
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(CardData, Em4100RoundTripSampled) {
  long mismatches = 0;
  for (std::uint32_t fc = 0; fc <= kEm4100FcLimit; ++fc) {
    for (std::uint64_t cn = fc; cn <= kEm4100CnLimit; cn += 16777259) {
      const auto cn32 = static_cast<std::uint32_t>(cn);
      const CardNumbers n = DecodeEm4100CardData(EncodeEm4100CardData(fc, cn32));
      mismatches += n.facilityCode != fc || n.cardNumber != cn32;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace vx
