// A device that says anything at all, in pieces of any size at any tick: the
// reply wait, the link test and a whole HID write with its read-back end in
// bounded time with the port closed and BusyFlag clear, and report success
// only for what the device really said.
//
// Input: an 8-byte header, then the bytes the device sends.
//   [0]     what runs: 0 link ack wait, 1 write ack wait, 2 card data wait,
//           3 the "Link" button, 4 Write Card and 5 Read Card on the HID WG26
//           tab (low six bits, mod 6);
//           bit 0x80: the device answers each frame with the next part of the
//           bytes, instead of sending them all on its own clock from the start;
//           bit 0x40: Write Card takes its numbers from a two-entry card list
//   [1]     when answering frames: how many bytes answer the first frame
//   [2]     the facility code written (Write Card; in database mode the first entry's)
//   [3..4]  the card number written, big-endian (likewise)
//   [5..7]  seed of the piece sizes and the ticks between pieces

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "carddata/card_data.h"
#include "cardlist/card_list.h"
#include "operations/form_state.h"
#include "operations/tabs.h"
#include "operations/device_link.h"
#include "device/frame.h"
#include "fuzz_check.h"
#include "operations/card_operations.h"
#include "support/fake_host.h"
#include "support/fake_link.h"

namespace {

using vx::Bytes;
using vx::ReplyKind;
using vx::ReplyOutcome;

constexpr std::size_t kHeader = 8;
constexpr long kLongestWrite = vx::kReplyTicks + vx::kSettleTicks + vx::kReplyTicks;

struct Random {
  std::uint32_t state;
  std::uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
};

// Schedules `bytes` on the link from now on, cut into pieces of 1..12 bytes,
// mostly a few ticks apart and now and then a long silence.
void Schedule(vx::test::FakeLink& link, const Bytes& bytes, Random& random) {
  int at = 0;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t piece = std::min<std::size_t>(1 + random.Next() % 12, bytes.size() - pos);
    const std::uint32_t r = random.Next();
    at += (r % 16 == 0) ? static_cast<int>(r / 16 % 64) : static_cast<int>(r / 16 % 4);
    link.Reply(Bytes(bytes.begin() + static_cast<long>(pos), bytes.begin() + static_cast<long>(pos + piece)), at);
    pos += piece;
  }
}

bool Contains(const Bytes& stream, const Bytes& part) {
  return std::search(stream.begin(), stream.end(), part.begin(), part.end()) != stream.end();
}

// Somewhere in the stream: a write acknowledgement, and after it card data
// that carry exactly `fc` and `cn` in the HID packing.
bool HoldsAckThenCard(const Bytes& stream, std::uint32_t fc, std::uint32_t cn) {
  const std::span<const std::uint8_t> all(stream);
  for (std::size_t i = 0; i + 6 <= all.size(); ++i) {
    if (!vx::ReplyPasses(ReplyKind::WriteAck, all.subspan(i, 6))) continue;
    for (std::size_t j = i + 6; j + 11 <= all.size(); ++j) {
      const auto reply = all.subspan(j, 11);
      if (!vx::ReplyPasses(ReplyKind::CardData, reply)) continue;
      const vx::CardNumbers read = vx::DecodeHidCardData(vx::CardDataOf(reply));
      if (read.facilityCode == fc && read.cardNumber == cn) return true;
    }
    return false;  // the earliest acknowledgement leaves the most room after it
  }
  return false;
}

bool HoldsPassing(const Bytes& stream, ReplyKind kind) {
  const std::span<const std::uint8_t> all(stream);
  const std::size_t length = vx::ReplyLength(kind);
  for (std::size_t i = 0; i + length <= all.size(); ++i)
    if (vx::ReplyPasses(kind, all.subspan(i, length))) return true;
  return false;
}

void CheckAwait(vx::Device& dev, vx::test::FakeHost& host, ReplyKind kind, const Bytes& stream) {
  dev.link.Open("COM1");
  const Bytes frame = kind == ReplyKind::LinkAck    ? vx::LinkCommand()
                      : kind == ReplyKind::CardData ? vx::ReadCardCommand({8, 16, 0, 0})
                                                    : vx::WriteCardCommand({8, 16, 0, 0}, {0, 1, 0, 0, 2});
  const ReplyOutcome outcome = vx::AwaitReply(dev, frame, kind);
  FUZZ_CHECK(host.ticks() <= vx::kReplyTicks);
  FUZZ_CHECK(dev.state.PollCount <= vx::kReplyTicks);
  switch (outcome.status) {
    case ReplyOutcome::Status::Accepted:
      FUZZ_CHECK(vx::ReplyPasses(kind, outcome.reply));
      FUZZ_CHECK(Contains(stream, outcome.reply));  // what arrived, in order, nothing made up
      break;
    case ReplyOutcome::Status::Rejected:
      FUZZ_CHECK(kind != ReplyKind::WriteAck);  // a bad write ack is passed over, not an end
      FUZZ_CHECK(outcome.reply.size() >= vx::ReplyLength(kind));
      FUZZ_CHECK(!vx::ReplyPasses(kind, outcome.reply));
      FUZZ_CHECK(Contains(stream, outcome.reply));
      break;
    case ReplyOutcome::Status::TimedOut:
      FUZZ_CHECK(outcome.reply.empty());
      FUZZ_CHECK(dev.state.PollCount >= vx::kReplyTicks);  // no closing window, no lost port here
      break;
  }
  vx::ClosePort(dev);
}

void CheckLinkButton(vx::Device& dev, vx::test::FakeHost& host, vx::test::FakeLink& link, const Bytes& stream) {
  vx::Command12_Click(dev);
  FUZZ_CHECK(link.written.size() == 1 && link.written[0] == vx::LinkCommand());
  FUZZ_CHECK(host.ticks() <= vx::kReplyTicks);
  const std::vector<std::string>& list = host.list;
  FUZZ_CHECK(list.size() <= 1);
  if (!list.empty() && list[0] == "System Link Success") {
    FUZZ_CHECK(HoldsPassing(stream, ReplyKind::LinkAck));
  } else if (!list.empty()) {
    FUZZ_CHECK(list[0] == "System Link Fail");
    FUZZ_CHECK(dev.state.PollCount >= vx::kReplyTicks);
  }
  FUZZ_CHECK(host.selectedLine == static_cast<int>(list.size()) - 1);
}

// The second entry of the card list in database mode.
const vx::CardEntry kNextEntry{7, 4242};

void CheckWriteCard(vx::Device& dev, vx::test::FakeHost& host, vx::test::FakeLink& link, const Bytes& stream,
                    std::uint32_t fc, std::uint32_t cn, bool fromList) {
  const vx::TabSpec& tab = *vx::TabOfFormat("HID26");
  vx::FormatRow& row = dev.state.formats.rows[0];
  vx::CardList& cards = dev.state.cards;
  if (fromList) {
    cards.entries = {vx::CardEntry{static_cast<std::int32_t>(fc), static_cast<double>(cn)}, kNextEntry};
    cards.CardCount = 2;
    host.useDatabase = true;
    row.FcText = row.CnText = "0";  // the list's entry must replace them
  }
  vx::WriteHidCard(dev, tab);

  FUZZ_CHECK(host.messages.empty());  // the numbers are within the format's ranges; a second entry is left
  FUZZ_CHECK(host.ticks() <= kLongestWrite);
  FUZZ_CHECK(!link.written.empty() && link.written.size() <= 2);
  const vx::FormatParams params{8, 16, 0, 0};
  FUZZ_CHECK(link.written[0] == vx::WriteCardCommand(params, vx::EncodeHidCardData(fc, cn)));
  if (link.written.size() == 2) FUZZ_CHECK(link.written[1] == vx::ReadCardCommand(params));

  const std::vector<std::string>& list = host.list;
  const std::string numbers = std::to_string(fc) + "," + std::to_string(cn);
  const bool success = std::find(list.begin(), list.end(), "Write AND Read Block Success") != list.end();
  if (success) {
    FUZZ_CHECK(HoldsAckThenCard(stream, fc, cn));
    FUZZ_CHECK(list.size() == 2 && list[0] == numbers);
    if (fromList) {
      // On to the next entry, and only after the card was confirmed.
      FUZZ_CHECK(cards.CardCursor == 1);
      FUZZ_CHECK(row.FcText == vx::FacilityCodeText(kNextEntry) && row.CnText == vx::CardNumberText(kNextEntry));
    } else {
      FUZZ_CHECK(row.FcText == std::to_string(fc) && row.CnText == std::to_string(cn + 1));
    }
    FUZZ_CHECK(host.boxes[tab.fcBox] == row.FcText && host.boxes[tab.cnBox] == row.CnText);
    return;
  }
  // Every other way out leaves the same card for the next press.
  FUZZ_CHECK(cards.CardCursor == 0);
  FUZZ_CHECK(row.FcText == std::to_string(fc) && row.CnText == std::to_string(cn));
  if (list.empty()) {
    FUZZ_CHECK(link.written.size() == 2);  // the read-back answered, but not with card data
  } else if (list[0] == "Write Block Data Fail") {
    FUZZ_CHECK(list.size() == 1 && link.written.size() == 1);
  } else if (list[0] == "Read Block Data Fail") {
    FUZZ_CHECK(list.size() == 1 && link.written.size() == 2);
  } else {
    FUZZ_CHECK(list.size() == 2 && list[1] == "Verify Block Data Fail" && list[0] != numbers);
  }
}

void CheckReadCard(vx::Device& dev, vx::test::FakeHost& host, vx::test::FakeLink& link, const Bytes& stream) {
  const vx::TabSpec& tab = *vx::TabOfFormat("HID26");
  const vx::FormatRow& row = dev.state.formats.rows[0];
  const std::string fcText = row.FcText, cnText = row.CnText;
  vx::ReadHidCard(dev, tab);

  FUZZ_CHECK(host.messages.empty());
  FUZZ_CHECK(host.ticks() <= vx::kReplyTicks);
  FUZZ_CHECK(link.written.size() == 1 && link.written[0] == vx::ReadCardCommand({8, 16, 0, 0}));
  FUZZ_CHECK(row.FcText == fcText && row.CnText == cnText);  // a read shows, it does not change the next write
  const std::vector<std::string>& list = host.list;
  FUZZ_CHECK(list.size() <= 1);
  if (list.empty() || list[0] == "Read Card Data Fail") return;
  // The numbers shown are those of card data the device sent.
  bool sent = false;
  const std::span<const std::uint8_t> all(stream);
  for (std::size_t j = 0; j + 11 <= all.size() && !sent; ++j) {
    const auto reply = all.subspan(j, 11);
    if (!vx::ReplyPasses(ReplyKind::CardData, reply)) continue;
    const vx::CardNumbers read = vx::DecodeHidCardData(vx::CardDataOf(reply));
    sent = list[0] == read.FcText() + "," + read.CnText();
  }
  FUZZ_CHECK(sent);
  FUZZ_CHECK(list[0] == host.boxes[tab.fcBox] + "," + host.boxes[tab.cnBox]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint8_t header[kHeader] = {};
  std::copy(data, data + std::min(size, kHeader), header);
  const Bytes stream(data + std::min(size, kHeader), data + size);

  const int scenario = (header[0] & 0x3F) % 6;
  const bool answersFrames = (header[0] & 0x80) != 0;
  const bool fromList = (header[0] & 0x40) != 0;
  const std::uint32_t fc = header[2];
  const std::uint32_t cn = (std::uint32_t{header[3]} << 8) | header[4];
  Random random{(std::uint32_t{header[5]} << 16 | std::uint32_t{header[6]} << 8 | header[7]) | 1u};

  vx::FormState state;
  FUZZ_CHECK(vx::ApplyFormatRows(vx::ParseFormatText("HID26 WW=08 XX=16 YY=00 ZZ=00", "HID.cfg"), state.formats));
  state.formats.rows[0].FcText = std::to_string(fc);
  state.formats.rows[0].CnText = std::to_string(cn);
  vx::test::FakeLink link;
  vx::test::FakeHost host(state, link);
  vx::Device dev{state, host, link};

  const std::size_t split = std::min<std::size_t>(header[1], stream.size());
  const std::vector<Bytes> answers{Bytes(stream.begin(), stream.begin() + static_cast<long>(split)),
                                   Bytes(stream.begin() + static_cast<long>(split), stream.end())};
  std::size_t next = 0;
  if (answersFrames) {
    link.SetDevice([&](const Bytes&, vx::test::FakeLink& l) {
      if (next < answers.size()) Schedule(l, answers[next++], random);
    });
  } else {
    Schedule(link, stream, random);
  }

  switch (scenario) {
    case 0: CheckAwait(dev, host, ReplyKind::LinkAck, stream); break;
    case 1: CheckAwait(dev, host, ReplyKind::WriteAck, stream); break;
    case 2: CheckAwait(dev, host, ReplyKind::CardData, stream); break;
    case 3: CheckLinkButton(dev, host, link, stream); break;
    case 4: CheckWriteCard(dev, host, link, stream, fc, cn, fromList); break;
    default: CheckReadCard(dev, host, link, stream); break;
  }
  FUZZ_CHECK(state.PollCount >= 0 && state.PollCount <= vx::kReplyTicks);
  FUZZ_CHECK(!link.IsOpen());
  FUZZ_CHECK(!state.BusyFlag);
  FUZZ_CHECK(!link.everWroteWhileClosed);
  return 0;
}
