// A long database-mode batch against a reader/writer that misbehaves now and
// then in every way we know of. Whatever the device does, a card is reported
// good only when the device really holds the entry's numbers, every entry is
// confirmed once and in list order, and nothing piles up as the batch runs.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "carddata/card_data.h"
#include "operations/card_operations.h"
#include "operations/operation_bench.h"
#include "operations/operation_texts.h"

namespace vx::test {
namespace {

constexpr int kCycles = 10000;
constexpr int kFaultPercent = 5;
constexpr int kClearEvery = 250;  // the operator presses "Clear" now and then

enum class Fault : std::uint8_t {
  None,
  Silent,                // the write is never answered
  RefusedWrite,          // the write is answered with status 01; the card is untouched
  AckNoReadBack,         // the write lands, the read-back is never answered
  WrongReadBack,         // the card takes other numbers than were sent
  MalformedReadBack,     // the write lands, the read-back fails its test
  GarbageBeforeAck,      // stray bytes come ahead of the acknowledgement
  SplitReplies,          // both replies come in pieces, ticks apart
  RejectedThenValidAck,  // a refused acknowledgement, then a good one
};
constexpr int kFaultKinds = 8;  // every kind but None

const char* NameOf(Fault f) {
  static constexpr const char* kNames[] = {"none",           "silent",          "refused write",
                                           "ack no read",    "wrong read-back", "malformed read-back",
                                           "garbage first",  "split replies",   "rejected then valid ack"};
  return kNames[static_cast<int>(f)];
}

// Whether a write under this fault must end confirmed (true), must not (false),
// or may go either way as long as it is not a false success (nullopt).
std::optional<bool> MustConfirm(Fault f) {
  switch (f) {
    case Fault::None:
    case Fault::SplitReplies:
    case Fault::RejectedThenValidAck:
      return true;
    case Fault::GarbageBeforeAck:
      return std::nullopt;
    default:
      return false;
  }
}

// A card reader/writer with one card in its field and a fault switch for the
// write under way. It keeps only the card and counters, whatever the length of
// the batch.
class FaultyDevice {
 public:
  explicit FaultyDevice(std::mt19937& random) : random_(random) {}

  void Attach(FakeLink& link) {
    link.SetDevice([this](const Bytes& frame, FakeLink& l) { Answer(frame, l); });
  }

  Fault fault = Fault::None;       // for the next write and its read-back
  std::optional<CardData> card;    // what the card in the field carries
  int writes = 0;
  int reads = 0;

 private:
  unsigned Pick(unsigned n) { return static_cast<unsigned>(random_()) % n; }

  // `bytes` in two or three pieces, the later ones one to four ticks apart.
  void SendSplit(const Bytes& bytes, FakeLink& link) {
    const std::size_t cut1 = 1 + Pick(static_cast<unsigned>(bytes.size() - 2));
    const std::size_t cut2 = cut1 + Pick(static_cast<unsigned>(bytes.size() - cut1));
    const int gap1 = 1 + static_cast<int>(Pick(4));
    const int gap2 = gap1 + 1 + static_cast<int>(Pick(4));
    link.Reply(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut1)), 1);
    link.Reply(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(cut1), bytes.begin() + static_cast<std::ptrdiff_t>(cut2)),
               gap1);
    link.Reply(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(cut2), bytes.end()), gap2);
  }

  void Answer(const Bytes& frame, FakeLink& link) {
    ASSERT_EQ(frame.size(), 17u);
    if (frame[2] == static_cast<std::uint8_t>(CommandCode::WriteCard)) {
      ++writes;
      AnswerWrite(CardData{frame[10], frame[11], frame[12], frame[13], frame[14]}, link);
    } else if (frame[2] == static_cast<std::uint8_t>(CommandCode::ReadCard)) {
      ++reads;
      AnswerRead(link);
    }
  }

  void AnswerWrite(CardData data, FakeLink& link) {
    switch (fault) {
      case Fault::Silent:
        return;
      case Fault::RefusedWrite:
        link.Reply(AckReplyBytes(0x01), static_cast<int>(Pick(3)));
        return;
      default:
        break;
    }
    if (fault == Fault::WrongReadBack) data[4] = static_cast<std::uint8_t>(data[4] ^ (1u << Pick(8)));
    card = data;
    switch (fault) {
      case Fault::GarbageBeforeAck: {
        // One to eight stray bytes (no STX among them), with the
        // acknowledgement or a tick ahead of it.
        Bytes garbage;
        for (unsigned n = 1 + Pick(8); n > 0; --n) garbage.push_back(static_cast<std::uint8_t>(0x80 | Pick(128)));
        if (Pick(2) == 0) {
          const Bytes ack = AckReplyBytes();
          garbage.insert(garbage.end(), ack.begin(), ack.end());
          link.Reply(garbage, 1);
        } else {
          link.Reply(garbage, 0);
          link.Reply(AckReplyBytes(), 2);
        }
        return;
      }
      case Fault::SplitReplies:
        SendSplit(AckReplyBytes(), link);
        return;
      case Fault::RejectedThenValidAck:
        link.Reply(AckReplyBytes(static_cast<std::uint8_t>(1 + Pick(255))), 1);
        link.Reply(AckReplyBytes(), 3 + static_cast<int>(Pick(10)));
        return;
      default:
        link.Reply(AckReplyBytes(), static_cast<int>(Pick(3)));
    }
  }

  void AnswerRead(FakeLink& link) {
    if (!card || fault == Fault::AckNoReadBack) return;
    Bytes reply = CardDataReplyBytes(*card);
    switch (fault) {
      case Fault::MalformedReadBack:
        // A wrong start byte, a failing status or a wrong length.
        switch (Pick(3)) {
          case 0: reply[0] = 0x55; break;
          case 1: reply[2] = static_cast<std::uint8_t>(1 + Pick(255)); break;
          default: reply[3] = 0x04; break;
        }
        link.Reply(reply, 1);
        return;
      case Fault::SplitReplies:
        SendSplit(reply, link);
        return;
      default:
        link.Reply(reply, static_cast<int>(Pick(3)));
    }
  }

  std::mt19937& random_;
};

TEST(Soak, DatabaseBatchThroughAFaultyDeviceConfirmsEveryCardOnceAndInOrder) {
  std::mt19937 random(20240611);  // fixed: every run meets the same faults
  Bench b;
  FaultyDevice device(random);
  device.Attach(b.link);
  const TabSpec& tab = Tab("HID40");

  std::vector<CardEntry> entries;
  for (int k = 0; k < kCardListCapacity; ++k) {
    entries.push_back({static_cast<std::int32_t>((k * 7919) % 65536), static_cast<double>(1 + (k * 104729) % 4194303)});
  }
  b.LoadCards(entries);
  b.host.useDatabase = true;
  const std::size_t listCapacity = b.state.cards.entries.capacity();

  std::array<int, kFaultKinds + 1> faultsMet{};
  int confirmed = 0;
  std::size_t boxesAtStart = 0;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    device.fault = Fault::None;
    if (random() % 100 < kFaultPercent) device.fault = static_cast<Fault>(1 + random() % kFaultKinds);
    ++faultsMet[static_cast<int>(device.fault)];

    const std::int16_t cursor = b.state.cards.CardCursor;
    const CardEntry& entry = entries[static_cast<std::size_t>(cursor)];
    const std::size_t linesBefore = b.host.list.size();
    const long ticksBefore = b.host.ticks();

    WriteHidCard(b.dev, tab);

    const std::vector<std::string> lines(b.host.list.begin() + static_cast<std::ptrdiff_t>(linesBefore),
                                         b.host.list.end());
    const bool success = !lines.empty() && lines.back() == texts::kWriteSuccess;
    const std::string context = "cycle " + std::to_string(cycle) + ", fault " + NameOf(device.fault);

    if (success) {
      // The card vouched for is the entry under the cursor, and the device holds it.
      const std::string numbers = std::to_string(entry.facilityCode) + "," + CardNumberText(entry);
      ASSERT_EQ(lines, (std::vector<std::string>{numbers, texts::kWriteSuccess})) << context;
      ASSERT_TRUE(device.card.has_value()) << context;
      ASSERT_EQ(*device.card, EncodeHidCardData(static_cast<std::uint32_t>(entry.facilityCode),
                                                static_cast<std::uint32_t>(entry.cardNumber)))
          << context;
      ASSERT_EQ(b.state.cards.CardCursor, cursor + 1) << context;
      ++confirmed;
    } else {
      ASSERT_EQ(b.state.cards.CardCursor, cursor) << context;
    }
    if (const auto must = MustConfirm(device.fault)) {
      ASSERT_EQ(success, *must) << context;
    }

    // Each press ends with the port closed, the flag down, no box shown, and
    // within its waits: two replies, the pause, and the yield after opening.
    ASSERT_FALSE(b.state.BusyFlag) << context;
    ASSERT_FALSE(b.link.IsOpen()) << context;
    ASSERT_TRUE(b.host.messages.empty()) << context << ": " << b.host.messages.front();
    ASSERT_LE(b.host.ticks() - ticksBefore, 2 * kReplyTicks + kSettleTicks) << context;

    if ((cycle + 1) % kClearEvery == 0) {
      // The operator clears List1; the test drops its own record of the frames.
      b.host.list.clear();
      b.link.written.clear();
      b.link.opened.clear();
      // Nothing the window or the device keeps grows with the batch.
      if (boxesAtStart == 0) boxesAtStart = b.host.boxes.size();
      ASSERT_EQ(b.host.boxes.size(), boxesAtStart) << context;
      ASSERT_EQ(b.state.cards.entries.size(), entries.size()) << context;
      ASSERT_EQ(b.state.cards.entries.capacity(), listCapacity) << context;
      ASSERT_EQ(b.state.cards.CardCount, kCardListCapacity) << context;
      ASSERT_LE(b.RowOf(tab).FcText.size(), 5u) << context;
      ASSERT_LE(b.RowOf(tab).CnText.size(), 7u) << context;
      ASSERT_EQ(b.link.BytesWaiting(), 0u) << context;
    }
  }

  EXPECT_EQ(b.state.cards.CardCursor, confirmed);
  EXPECT_EQ(device.writes, kCycles);
  for (int f = 1; f <= kFaultKinds; ++f) {
    EXPECT_GE(faultsMet[static_cast<std::size_t>(f)], kCycles / 1000) << NameOf(static_cast<Fault>(f));
  }
  const int faults = kCycles - faultsMet[0];
  EXPECT_GT(faults, kCycles * kFaultPercent / 200);
  EXPECT_LT(faults, kCycles * kFaultPercent * 2 / 100);
  std::printf("soak: %d presses, %d faults, %d cards confirmed, %ld ticks\n", kCycles, faults, confirmed,
              b.host.ticks());
}

}  // namespace
}  // namespace vx::test
