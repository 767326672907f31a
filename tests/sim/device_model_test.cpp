#include "sim/device_model.h"

#include <gtest/gtest.h>

#include "sim/em4100_image.h"
#include "sim/wiegand.h"

namespace vx::sim {
namespace {

const FormatParams kEm4100{};
const FormatParams kHid26{8, 16, 0, 0};
const FormatParams kHid34{16, 16, 0, 0};
const FormatParams kHid24{6, 16, 0, 0};

DeviceOptions Instant(FaultSet faults = {}) {
  DeviceOptions options;
  options.faults = faults;
  options.timing = DeviceTiming::Instant();
  return options;
}

// The one exchange a whole frame causes.
Exchange Send(DeviceModel& model, const Bytes& frame) {
  auto exchanges = model.Receive(frame);
  EXPECT_EQ(exchanges.size(), 1u);
  return exchanges.empty() ? Exchange{} : exchanges.front();
}

Bytes Joined(const std::vector<ReplyChunk>& schedule) {
  Bytes all;
  for (const auto& c : schedule) all.insert(all.end(), c.bytes.begin(), c.bytes.end());
  return all;
}

CardData Hid(std::uint32_t fc, std::uint32_t cn) {
  return {static_cast<std::uint8_t>(fc >> 8), static_cast<std::uint8_t>(fc), static_cast<std::uint8_t>(cn >> 16),
          static_cast<std::uint8_t>(cn >> 8), static_cast<std::uint8_t>(cn)};
}

CardData Em(std::uint8_t fc, std::uint32_t cn) {
  return {fc, static_cast<std::uint8_t>(cn >> 24), static_cast<std::uint8_t>(cn >> 16),
          static_cast<std::uint8_t>(cn >> 8), static_cast<std::uint8_t>(cn)};
}

// A write the format can hold lands and reads back; one too wide for it is
// refused and leaves the card as it was.
TEST(DeviceModel, WritesTheCardAndReadsItBack) {
  struct Case {
    const char* name;
    FormatParams params;
    CardData data;
    std::uint8_t status = kStatusOk;
  };
  const Case cases[] = {
      {"EM4100 1/1", kEm4100, Em(1, 1)},
      {"EM4100 at its limits", kEm4100, Em(255, 0xFFFFFFFF)},
      {"EM4100 12/3456789012", kEm4100, Em(12, 3456789012u)},
      {"HID26 123/300", kHid26, Hid(123, 300)},
      {"HID26 at its limits", kHid26, Hid(255, 65535)},
      {"HID24 0/1", kHid24, Hid(0, 1)},
      {"HID40 65535/4194303", {16, 22, 0, 0}, Hid(65535, 4194303)},
      {"ParamY/ParamZ pass through", {8, 16, 0x37, 0x99}, Hid(18, 300)},
      {"fc 256 in 8 bits", kHid26, Hid(256, 1), kStatusTooWide},
      {"cn 65536 in 16 bits", kHid26, Hid(1, 65536), kStatusTooWide},
      {"fc 64 in 6 bits", kHid24, Hid(64, 1), kStatusTooWide},
      {"cn 2^22 in 22 bits", {16, 22, 0, 0}, Hid(1, 4194304), kStatusTooWide},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeviceModel model(Instant());
    const Exchange write = Send(model, WriteCardCommand(c.params, c.data));
    EXPECT_EQ(write.reply, AckReply(c.status));
    if (c.status != kStatusOk) {
      EXPECT_FALSE(write.written);
      EXPECT_EQ(model.CardInField(), DeviceOptions::DefaultCard());
      continue;
    }
    ASSERT_TRUE(write.written);
    EXPECT_EQ(write.written->kind, c.params.p1 == 0 && c.params.p2 == 0 ? CardKind::Em4100 : CardKind::Wiegand);
    EXPECT_EQ(Send(model, ReadCardCommand(c.params)).reply, CardDataReply(kStatusOk, c.data));
  }
}

TEST(DeviceModel, TheCardIsARealImage) {
  DeviceModel model(Instant());
  Send(model, WriteCardCommand(kHid26, Hid(18, 300)));
  EXPECT_EQ(model.CardInField(), (CardImage{CardKind::Wiegand, BitsFromString("0 00010010 0000000100101100 1")}));
  Send(model, WriteCardCommand(kEm4100, Em(1, 1)));
  EXPECT_EQ(model.CardInField(), (CardImage{CardKind::Em4100, EncodeEm4100(0x0100000001)}));
}

TEST(DeviceModel, ReadsThatCannotSucceedAnswerWithAStatus) {
  CardImage badParity{CardKind::Wiegand, *EncodeWiegand({8, 16}, 18, 300)};
  badParity.bits[5] = !badParity.bits[5];
  CardImage badEm{CardKind::Em4100, EncodeEm4100(0x0100000001)};
  badEm.bits[20] = !badEm.bits[20];
  const CardImage hid26{CardKind::Wiegand, *EncodeWiegand({8, 16}, 18, 300)};
  const CardImage wide{CardKind::Wiegand, *EncodeWiegand({20, 4}, 0xFFFFF, 1)};

  struct Case {
    const char* name;
    std::optional<CardImage> card;
    FormatParams params;
    std::uint8_t status;
  };
  const Case cases[] = {
      {"empty field", std::nullopt, kEm4100, kStatusNoCard},
      {"26-bit card, 34-bit format", hid26, kHid34, kStatusWrongFormat},
      {"26-bit card, EM4100", hid26, kEm4100, kStatusWrongFormat},
      {"EM4100 card, 26-bit format", DeviceOptions::DefaultCard(), kHid26, kStatusWrongFormat},
      {"Wiegand parity", badParity, kHid26, kStatusParity},
      {"EM4100 row parity", badEm, kEm4100, kStatusParity},
      {"facility code above 16 bits", wide, {20, 4, 0, 0}, kStatusTooWide},
  };
  for (const auto& c : cases) {
    DeviceModel model(Instant());
    model.PlaceCard(c.card);
    const Exchange read = Send(model, ReadCardCommand(c.params));
    EXPECT_EQ(read.reply, CardDataReply(c.status, {})) << c.name;
  }
}

// With anylayout the device decodes a card as it was written, whatever HID
// layout the read asks for; the two technologies stay apart.
TEST(DeviceModel, AnyLayoutReadsEveryHidLayoutAlike) {
  struct Case {
    const char* name;
    FormatParams written;
    CardData data;
    FormatParams read;
    Bytes reply;
  };
  const Case cases[] = {
      {"26-bit card, 34-bit read", kHid26, Hid(18, 300), kHid34, CardDataReply(kStatusOk, Hid(18, 300))},
      {"26-bit card, 24-bit read", kHid26, Hid(200, 300), kHid24, CardDataReply(kStatusOk, Hid(200, 300))},
      {"26-bit card, its own layout", kHid26, Hid(18, 300), kHid26, CardDataReply(kStatusOk, Hid(18, 300))},
      {"26-bit card, EM4100 read", kHid26, Hid(18, 300), kEm4100, CardDataReply(kStatusWrongFormat, {})},
      {"EM4100 card, 26-bit read", kEm4100, Em(7, 41), kHid26, CardDataReply(kStatusWrongFormat, {})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeviceModel model(Instant({Fault::AnyLayout}));
    Send(model, WriteCardCommand(c.written, c.data));
    EXPECT_EQ(Send(model, ReadCardCommand(c.read)).reply, c.reply);
  }
}

TEST(DeviceModel, BadFramesAnswerWithAStatus) {
  Bytes badCheck = ReadCardCommand(kHid26);
  badCheck[15] ^= 0x01;
  const Bytes unknown = BuildFrame(static_cast<CommandCode>(0x77), Bytes{});
  const Bytes linkWithData = BuildFrame(CommandCode::Link, Bytes{0x00});
  const Bytes shortRead = BuildFrame(CommandCode::ReadCard, Bytes{0, 0, 8, 16});
  struct Case {
    const char* name;
    Bytes frame;
    std::uint8_t status;
  };
  const Case cases[] = {
      {"bad check byte", badCheck, kStatusBadCheck},
      {"unknown command", unknown, kStatusUnknownCommand},
      {"link with data", linkWithData, kStatusUnknownCommand},
      {"read with four data bytes", shortRead, kStatusUnknownCommand},
  };
  for (const auto& c : cases) {
    DeviceModel model(Instant());
    EXPECT_EQ(Send(model, c.frame).reply, AckReply(c.status)) << c.name;
  }
}

TEST(DeviceModel, EachFaultShapesTheReplies) {
  const Bytes ack = AckReply(kStatusOk);
  const Bytes defaultRead = CardDataReply(kStatusOk, Em(1, 1));
  const Bytes garbage(std::begin(kGarbageBytes), std::end(kGarbageBytes));
  auto withGarbage = [&](const Bytes& b) {
    Bytes all = garbage;
    all.insert(all.end(), b.begin(), b.end());
    return all;
  };
  struct Case {
    const char* name;
    Fault fault;
    Bytes linkReply, writeReply, readReply;  // the read follows the write of EM4100 7/41
    bool hangUp = false;
  };
  const Case cases[] = {
      {"silent", Fault::Silent, {}, {}, {}},
      {"refuse", Fault::Refuse, ack, AckReply(kStatusNoCard), defaultRead},
      {"nocard", Fault::NoCard, ack, ack, CardDataReply(kStatusNoCard, {})},
      {"corrupt", Fault::Corrupt, ack, ack, CardDataReply(kStatusOk, Em(7, 42))},
      {"split", Fault::Split, ack, ack, CardDataReply(kStatusOk, Em(7, 41))},
      {"bytewise", Fault::Bytewise, ack, ack, CardDataReply(kStatusOk, Em(7, 41))},
      {"garbage", Fault::Garbage, withGarbage(ack), withGarbage(ack),
       withGarbage(CardDataReply(kStatusOk, Em(7, 41)))},
      {"noread", Fault::NoRead, ack, ack, {}},
      {"unplug", Fault::Unplug, ack, {}, defaultRead, true},
  };
  for (const auto& c : cases) {
    DeviceModel model(Instant({c.fault}));
    EXPECT_EQ(Send(model, LinkCommand()).reply, c.linkReply) << c.name;
    const Exchange write = Send(model, WriteCardCommand(kEm4100, Em(7, 41)));
    EXPECT_EQ(write.reply, c.writeReply) << c.name;
    EXPECT_EQ(write.hangUp, c.hangUp) << c.name;
    const Exchange read = Send(model, ReadCardCommand(kEm4100));
    EXPECT_EQ(read.reply, c.readReply) << c.name;
    EXPECT_EQ(Joined(read.schedule), read.reply) << c.name;
  }
}

TEST(DeviceModel, CorruptWrapsWithinTheFormat) {
  DeviceModel em(Instant({Fault::Corrupt}));
  Send(em, WriteCardCommand(kEm4100, Em(9, 0xFFFFFFFF)));
  EXPECT_EQ(Send(em, ReadCardCommand(kEm4100)).reply, CardDataReply(kStatusOk, Em(9, 0)));
  DeviceModel hid(Instant({Fault::Corrupt}));
  Send(hid, WriteCardCommand(kHid26, Hid(5, 65535)));
  EXPECT_EQ(Send(hid, ReadCardCommand(kHid26)).reply, CardDataReply(kStatusOk, Hid(5, 0)));
}

TEST(DeviceModel, RepliesArePacedLikeTheLine) {
  DeviceModel model;  // real timing
  const DeviceTiming t = model.Options().timing;
  const Exchange write = Send(model, WriteCardCommand(kHid26, Hid(1, 1)));
  ASSERT_EQ(write.schedule.size(), 6u);  // one chunk per byte
  EXPECT_EQ(write.schedule[0].delayBefore, t.writeTime + t.byteTime);
  for (std::size_t i = 1; i < 6; ++i) EXPECT_EQ(write.schedule[i].delayBefore, t.byteTime);
  EXPECT_EQ(Send(model, ReadCardCommand(kHid26)).schedule[0].delayBefore, t.readTime + t.byteTime);
}

TEST(DeviceModel, SplitRepliesComeInPiecesWellWithinTheWait) {
  DeviceModel model(Instant({Fault::Split}));
  const Exchange read = Send(model, ReadCardCommand(kEm4100));
  ASSERT_EQ(read.schedule.size(), static_cast<std::size_t>(kSplitPieces));
  Micros total{0};
  for (const auto& c : read.schedule) {
    EXPECT_LT(c.bytes.size(), 11u);
    total += c.delayBefore;
  }
  EXPECT_GE(read.schedule[1].delayBefore, Micros{10000});
  EXPECT_LT(total, Micros{250000});

  DeviceOptions pacedOptions;
  pacedOptions.faults = {Fault::Split};
  DeviceModel paced(pacedOptions);
  Micros pacedTotal{0};
  for (const auto& c : Send(paced, WriteCardCommand(kHid26, Hid(1, 1))).schedule) pacedTotal += c.delayBefore;
  EXPECT_LT(pacedTotal, Micros{250000});
}

TEST(DeviceModel, BytewiseRepliesComeOneByteATimeWithinTheWait) {
  DeviceModel model(Instant({Fault::Bytewise, Fault::Garbage}));
  const Exchange read = Send(model, ReadCardCommand(kEm4100));
  ASSERT_EQ(read.schedule.size(), read.reply.size());
  Micros total{0};
  for (std::size_t i = 0; i < read.schedule.size(); ++i) {
    EXPECT_EQ(read.schedule[i].bytes.size(), 1u);
    if (i > 0) {
      EXPECT_GT(read.schedule[i].delayBefore, Micros{10000});  // a tick apart at least
    }
    total += read.schedule[i].delayBefore;
  }
  EXPECT_LT(total, Micros{250000});
}

TEST(DeviceModel, AnswersFramesThatArriveInPieces) {
  DeviceModel model(Instant());
  const Bytes frame = ReadCardCommand(kEm4100);
  std::vector<Exchange> exchanges;
  const Bytes junk{0xEE, 0x02, 0x03};
  for (std::uint8_t b : junk) EXPECT_TRUE(model.Receive(Bytes{b}).empty());
  for (std::uint8_t b : frame) {
    for (auto& e : model.Receive(Bytes{b})) exchanges.push_back(std::move(e));
  }
  ASSERT_EQ(exchanges.size(), 1u);
  EXPECT_EQ(exchanges[0].reply, CardDataReply(kStatusOk, Em(1, 1)));
  EXPECT_EQ(exchanges[0].received.skippedBefore, junk);
}

}  // namespace
}  // namespace vx::sim
