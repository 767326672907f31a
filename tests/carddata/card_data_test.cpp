#include "carddata/card_data.h"

#include <gtest/gtest.h>

#include "formats/format_table.h"

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

TEST(CardData, HidEncodeEdgeCases) {
  struct Case {
    std::uint32_t fc, cn;
    CardData bytes;
  };
  const Case cases[] = {
      {0, 1, {0x00, 0x00, 0x00, 0x00, 0x01}},
      {255, 65535, {0x00, 0xFF, 0x00, 0xFF, 0xFF}},
      {18, 300, {0x00, 0x12, 0x00, 0x01, 0x2C}},
      {65535, 4194303, {0xFF, 0xFF, 0x3F, 0xFF, 0xFF}},
      {65535, 16777215, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {256, 65536, {0x01, 0x00, 0x01, 0x00, 0x00}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeHidCardData(c.fc, c.cn), c.bytes) << c.fc << "/" << c.cn;
    const CardNumbers back = DecodeHidCardData(c.bytes);
    EXPECT_EQ(back.facilityCode, c.fc);
    EXPECT_EQ(back.cardNumber, c.cn);
  }
}

TEST(CardData, HidEncodeFromText) {
  struct Case {
    std::string_view fc, cn;
    std::optional<CardData> bytes;
  };
  const Case cases[] = {
      {"0042", "300", CardData{0x00, 0x2A, 0x00, 0x01, 0x2C}},
      {"65535", "16777215", CardData{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"0", "0", CardData{}},
      {"65536", "1", std::nullopt},
      {"1", "16777216", std::nullopt},
      {"", "1", std::nullopt},
      {"1", "", std::nullopt},
      {"-1", "1", std::nullopt},
      {"1", "1.0", std::nullopt},
      {"99999999999999999999999", "1", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeHidCardData(c.fc, c.cn), c.bytes) << c.fc << "/" << c.cn;
}

TEST(CardData, DecodeGivesPlainTexts) {
  struct Case {
    CardData bytes;
    const char* fc;
    const char* cn;
  };
  const Case hid[] = {
      {{0x00, 0x7B, 0x00, 0x01, 0x2C}, "123", "300"},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "65535", "16777215"},
      {{0x00, 0x00, 0x00, 0x00, 0x00}, "0", "0"},
  };
  for (const auto& c : hid) {
    const CardNumbers n = DecodeHidCardData(c.bytes);
    EXPECT_EQ(n.FcText(), c.fc);
    EXPECT_EQ(n.CnText(), c.cn);
  }
  const Case em4100[] = {
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "255", "4294967295"},
      {{0x00, 0x00, 0x00, 0x00, 0x00}, "0", "0"},
      {{0x0C, 0xCE, 0x0A, 0x6A, 0x14}, "12", "3456789012"},
      {{0x07, 0x00, 0x01, 0xE2, 0x40}, "7", "123456"},
  };
  for (const auto& c : em4100) {
    const CardNumbers n = DecodeEm4100CardData(c.bytes);
    EXPECT_EQ(n.FcText(), c.fc);
    EXPECT_EQ(n.CnText(), c.cn);
  }
}

TEST(CardData, FormatParamsGoIntoTheFrameUnchanged) {
  FormatRow row;
  row.FcBits = 8;
  row.CnBits = 16;
  row.ParamY = 99;
  row.ParamZ = 7;
  const FormatParams p = FormatParamsOf(row);
  const Bytes write = WriteCardCommand(p, EncodeHidCardData(123, 300));
  const Bytes read = ReadCardCommand(p);
  EXPECT_EQ(Bytes(write.begin() + 4, write.begin() + 10), (Bytes{0x00, 0x00, 0x08, 0x10, 99, 7}));
  // The read-back asks with the same layout and no card data.
  EXPECT_EQ(Bytes(read.begin() + 4, read.begin() + 10), Bytes(write.begin() + 4, write.begin() + 10));
  EXPECT_EQ(Bytes(read.begin() + 10, read.begin() + 15), Bytes(5, 0x00));
}

TEST(CardData, Em4100WorkedFrames) {
  struct Case {
    std::string_view fc, cn;
    Bytes frame;
  };
  const Case cases[] = {
      {"1", "1", {0x02, 0x01, 0xA5, 0x0B, 0, 0, 0, 0, 0, 0, 0x01, 0x00, 0x00, 0x00, 0x01, 0xAD, 0x03}},
      {"12", "3456789012", {0x02, 0x01, 0xA5, 0x0B, 0, 0, 0, 0, 0, 0, 0x0C, 0xCE, 0x0A, 0x6A, 0x14, 0x1B, 0x03}},
      {"255", "4294967295", {0x02, 0x01, 0xA5, 0x0B, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x52, 0x03}},
  };
  for (const auto& c : cases) {
    const auto data = EncodeEm4100CardData(c.fc, c.cn);
    ASSERT_TRUE(data) << c.fc << "/" << c.cn;
    EXPECT_EQ(WriteCardCommand(FormatParams{}, *data), c.frame) << c.fc << "/" << c.cn;
  }
}

TEST(CardData, Em4100Edges) {
  struct Case {
    std::uint32_t fc, cn;
    CardData bytes;
  };
  const Case cases[] = {
      {0, 65536, {0x00, 0x00, 0x01, 0x00, 0x00}},
      {0, 196608, {0x00, 0x00, 0x03, 0x00, 0x00}},
      {0, 16777216, {0x00, 0x01, 0x00, 0x00, 0x00}},
      {1, 4294901760u, {0x01, 0xFF, 0xFF, 0x00, 0x00}},
      {0, 0, {0x00, 0x00, 0x00, 0x00, 0x00}},
      {255, 4294967295u, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeEm4100CardData(c.fc, c.cn), c.bytes) << c.fc << "/" << c.cn;
    const CardNumbers n = DecodeEm4100CardData(c.bytes);
    EXPECT_EQ(n.facilityCode, c.fc);
    EXPECT_EQ(n.cardNumber, c.cn);
  }
  struct TextCase {
    std::string_view fc, cn;
    bool encodes;
  };
  const TextCase texts[] = {
      {"255", "4294967295", true}, {"256", "1", false},  {"1", "4294967296", false},
      {"0", "0", true},            {"", "1", false},     {"1", "", false},
  };
  for (const auto& t : texts)
    EXPECT_EQ(EncodeEm4100CardData(t.fc, t.cn).has_value(), t.encodes) << t.fc << "/" << t.cn;
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
