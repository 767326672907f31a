#include <gtest/gtest.h>

#include <filesystem>

#include "operations/database.h"
#include "device/port_name.h"
#include "operations/em4100_operations.h"
#include "platform/text_file.h"
#include "operations/card_operations.h"
#include "operations/operation_bench.h"
#include "operations/record_control.h"
#include "record/record_file.h"
#include "record/record_line.h"

namespace vx::test {
namespace {

using Strings = std::vector<std::string>;

// A bench that keeps a record in a fresh folder, as "Keep Record" would.
struct RecordBench : Bench {
  TempFile folder{"", "unused.txt"};
  std::string recordPath = folder.dir() + "/cards-2026-12-08.csv";
  RecordBench() {
    EXPECT_EQ(StartRecord(recordPath), std::nullopt);
    state.recordPath = recordPath;
  }
  std::vector<RecordLine> Lines() { return ParseRecordText(ReadWholeFile(recordPath).value_or("")); }
};

struct OutcomeCase {
  const char* name;
  CardFault fault;
  std::string outcome;  // the record's word
  std::string readBack; // "fc,cn" in the read columns, or ","
  ResultBanner banner;
};

// One line per write that reached the device, whatever the device made of it,
// and the banner says the same in words, a symbol and a tone.
TEST(CardOutcome, EveryWriteOutcomeIsRecordedAndBannered) {
  const OutcomeCase cases[] = {
      {"confirmed", CardFault::None, "written", "18,300", {"\u2714 Written and verified: 18,300", BannerTone::Good}},
      {"silent", CardFault::Silent, "no acknowledgement", ",",
       {"\u2718 Not written: no answer from the reader/writer", BannerTone::Bad}},
      {"refused", CardFault::Refuse, "no acknowledgement", ",",
       {"\u2718 Not written: no answer from the reader/writer", BannerTone::Bad}},
      {"no read-back", CardFault::AckNoRead, "no read-back", ",",
       {"\u2718 Not verified: the card did not answer the read-back", BannerTone::Bad}},
      {"malformed read-back", CardFault::MalformedReadBack, "read-back refused", ",",
       {"\u2718 Not verified: the reader/writer refused the read-back", BannerTone::Bad}},
      {"wrong read-back", CardFault::WrongReadBack, "verify failed", "18,301",
       {"\u2718 Verify failed: the card holds 18,301, not 18,300", BannerTone::Bad}},
  };
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.name);
    RecordBench b;
    const TabSpec& tab = Tab("HID26");
    b.RowOf(tab).FcText = "18";
    b.RowOf(tab).CnText = "300";
    b.device.faultOf = [&c](int) { return c.fault; };
    WriteHidCard(b.dev, tab);

    const auto lines = b.Lines();
    ASSERT_EQ(lines.size(), 1u);
    const RecordLine& line = lines[0];
    EXPECT_EQ(line.outcome, c.outcome);
    EXPECT_EQ(line.tab, "HID  WG26");
    EXPECT_EQ(line.format, "HID26");
    EXPECT_EQ((std::array{line.fcBits, line.cnBits, line.paramY, line.paramZ}), (std::array{8, 16, 2, 10}));
    EXPECT_EQ(line.facilityCode + "," + line.cardNumber, "18,300");
    EXPECT_EQ(line.source, "typed");
    EXPECT_EQ(line.entry, 0);
    EXPECT_EQ(line.readFacilityCode + "," + line.readCardNumber, c.readBack);
    EXPECT_EQ(line.port, PortNameFor(b.host.port, NativePortNaming()));
    ASSERT_EQ(b.host.banners.size(), 1u);
    EXPECT_EQ(b.host.banners[0], c.banner);
  }
}

TEST(CardOutcome, EveryReadOutcomeIsRecordedAndBannered) {
  struct Case {
    const char* name;
    std::function<void(Bench&)> device;
    std::string outcome;
    std::string readBack;
    ResultBanner banner;
  };
  const Case cases[] = {
      {"a card", [](Bench& b) { b.device.card = CardInFieldDevice::Data{0x00, 0x07, 0x00, 0x00, 0x2A}; }, "read",
       "7,42", {"\u25CF Read: 7,42", BannerTone::Neutral}},
      {"no card", [](Bench&) {}, "read failed", ",", {"\u2718 Read failed: no card answered", BannerTone::Bad}},
      {"refused",
       [](Bench& b) {
         b.link.SetDevice([](const Bytes&, FakeLink& l) { l.Reply(CardDataReplyBytes({}, 0x01), 1); });
       },
       "read refused", ",", {"\u2718 Read failed: the reader/writer could not read the card", BannerTone::Bad}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordBench b;
    c.device(b);
    ReadHidCard(b.dev, Tab("HID26"));
    const auto lines = b.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].outcome, c.outcome);
    EXPECT_EQ(lines[0].facilityCode + "," + lines[0].cardNumber, ",");  // nothing sent
    EXPECT_EQ(lines[0].readFacilityCode + "," + lines[0].readCardNumber, c.readBack);
    ASSERT_EQ(b.host.banners.size(), 1u);
    EXPECT_EQ(b.host.banners[0], c.banner);
  }
}

// Operations that never reached the device leave no line and no banner.
TEST(CardOutcome, NothingSentNothingRecorded) {
  RecordBench b;
  b.host.useDatabase = true;  // no list loaded: " The Card is End!"
  WriteHidCard(b.dev, Tab("HID26"));
  b.host.useDatabase = false;
  b.link.RefuseOpen(true);
  WriteHidCard(b.dev, Tab("HID26"));
  Command21_Click(b.dev);
  EXPECT_EQ(b.host.messages, (Strings{" The Card is End!", "COM port open failure!", "COM port open failure!"}));
  EXPECT_TRUE(b.Lines().empty());
  EXPECT_TRUE(b.host.banners.empty());
}

// A batch from the list: entry numbers and the file in the record, the place
// in the batch and the final count on the banner.
TEST(CardOutcome, BatchFromTheList) {
  RecordBench b;
  TempFile cards("5,100\n5,101\n5,102\n");
  b.host.chosenFile = cards.path();
  Command2_Click(b.state, b.host);
  b.host.useDatabase = true;
  b.device.faultOf = [](int write) { return write == 1 ? CardFault::Silent : CardFault::None; };
  for (int press = 0; press < 4; ++press) Command20_Click(b.dev);

  const auto lines = b.Lines();
  Strings seen;
  for (const RecordLine& line : lines) {
    EXPECT_EQ(line.source, cards.path());
    EXPECT_EQ(line.format, "EM4100");
    seen.push_back(std::to_string(line.entry) + ":" + line.cardNumber + ":" + line.outcome);
  }
  EXPECT_EQ(seen, (Strings{"1:100:written", "2:101:no acknowledgement", "2:101:written", "3:102:written"}));
  Strings banners;
  for (const ResultBanner& banner : b.host.banners) banners.push_back(banner.text);
  EXPECT_EQ(banners, (Strings{"\u2714 Written and verified: 5,100 (card 1 of 3)",
                              "\u2718 Not written: no answer from the reader/writer (card 2 of 3)",
                              "\u2714 Written and verified: 5,101 (card 2 of 3)",
                              "\u2714 Batch complete: 3 written, 1 failed attempt along the way (last: 5,102)"}));
}

// The record goes away mid-batch: the operator is told where and why, the
// record stops, and the batch itself carries on as without a record.
TEST(CardOutcome, RecordFailureMidBatch) {
  RecordBench b;
  b.LoadCards({{5, 100}, {5, 101}, {5, 102}});
  b.host.useDatabase = true;
  b.host.keepRecord = true;
  const TabSpec& tab = Tab("HID26");
  WriteHidCard(b.dev, tab);
  std::filesystem::remove(b.recordPath);
  WriteHidCard(b.dev, tab);
  WriteHidCard(b.dev, tab);

  ASSERT_EQ(b.host.messages.size(), 2u);
  EXPECT_NE(b.host.messages[0].find(b.recordPath), std::string::npos) << b.host.messages[0];
  EXPECT_NE(b.host.messages[0].find("No such file"), std::string::npos) << b.host.messages[0];
  EXPECT_EQ(b.host.messages[1], " The Card is End!");
  EXPECT_FALSE(b.host.keepRecord);
  EXPECT_TRUE(b.state.recordPath.empty());
  EXPECT_FALSE(std::filesystem::exists(b.recordPath));  // not begun anew behind the operator's back
  EXPECT_EQ(b.host.list, (Strings{"5,100", "Write AND Read Block Success", "5,101", "Write AND Read Block Success",
                                  "5,102", "Write AND Read Block Success"}));
  EXPECT_EQ(b.state.cards.CardCursor, 3);
}

std::string WrittenLine(const std::string& source, int entry, int cn) {
  RecordLine line{"2026-12-08T10:0" + std::to_string(entry) + ":00.000+00:00", "/dev/ttyS0", "HID  WG26", "HID26", 8,
                  16, 2, 10, "5", std::to_string(cn), source, entry, "written", "5", std::to_string(cn), {}};
  return FormatRecordLine(line);
}

// Browse with a record that already shows part of the file written.
TEST(Resume, BrowseOffersToContinue) {
  struct Case {
    const char* name;
    std::function<std::string(const std::string& file)> record;  // lines after the header
    std::vector<bool> answers;
    std::size_t questions;
    std::size_t messages;
    int cursor;
    std::string boxes;  // the front tab's boxes
    std::string progress;
  };
  const Case cases[] = {
      {"two written, Yes", [](const std::string& f) { return WrittenLine(f, 1, 100) + WrittenLine(f, 2, 101); },
       {true}, 1, 0, 2, "5/102", "Next card: 3 of 4"},
      {"two written, No", [](const std::string& f) { return WrittenLine(f, 1, 100) + WrittenLine(f, 2, 101); },
       {false}, 1, 0, 0, "5/100", "Next card: 1 of 4"},
      // No offer, but a word that one of its pairs is issued already.
      {"another file", [](const std::string&) { return WrittenLine("/elsewhere/cards.txt", 1, 100); }, {}, 0, 1, 0,
       "5/100", "Next card: 1 of 4"},
      {"changed file", [](const std::string& f) { return WrittenLine(f, 1, 100) + WrittenLine(f, 2, 555); }, {}, 0,
       1, 0, "5/100", "Next card: 1 of 4"},
      {"all written",
       [](const std::string& f) {
         return WrittenLine(f, 1, 100) + WrittenLine(f, 2, 101) + WrittenLine(f, 3, 102) + WrittenLine(f, 4, 103);
       },
       {}, 0, 1, 4, "5/100", "All 4 cards written"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordBench b;
    TempFile cards("5,100\n5,101\n5,102\n5,103\n");
    std::ofstream(b.recordPath, std::ios::app | std::ios::binary) << c.record(cards.path());
    b.host.answers = c.answers;
    b.host.chosenFile = cards.path();
    Command2_Click(b.state, b.host);

    EXPECT_EQ(b.host.questions.size(), c.questions);
    EXPECT_EQ(b.host.messages.size(), c.messages);
    EXPECT_EQ(b.state.cards.CardCursor, c.cursor);
    EXPECT_EQ(b.Boxes(kTabs[8]), c.boxes);
    EXPECT_EQ(b.host.batchProgress, c.progress);
    EXPECT_FALSE(b.state.BusyFlag);
  }
}

// Ticking "Keep Record" after Browse makes the same offer; a cancelled save
// dialog leaves it unticked; a tick during a device wait is undone.
TEST(Resume, KeepRecordTickedAfterBrowse) {
  Bench b;
  TempFile cards("5,100\n5,101\n5,102\n");
  b.host.chosenFile = cards.path();
  Command2_Click(b.state, b.host);
  const std::string record = cards.dir() + "/record.csv";
  std::ofstream(record, std::ios::binary) << std::string(kRecordHeader) + "\r\n" + WrittenLine(cards.path(), 1, 100);

  KeepRecord_Click(b.state, b.host, true);  // dialog cancelled
  EXPECT_FALSE(b.host.keepRecord);
  EXPECT_TRUE(b.state.recordPath.empty());

  b.state.BusyFlag = true;
  b.host.chosenRecord = record;
  KeepRecord_Click(b.state, b.host, true);
  EXPECT_FALSE(b.host.keepRecord);
  b.state.BusyFlag = false;

  // Ticked mid-batch, past what the record shows: no offer to go back.
  b.state.cards.CardCursor = 2;
  KeepRecord_Click(b.state, b.host, true);
  EXPECT_TRUE(b.host.keepRecord);
  EXPECT_TRUE(b.host.questions.empty());
  EXPECT_EQ(b.state.cards.CardCursor, 2);
  KeepRecord_Click(b.state, b.host, false);

  b.state.cards.CardCursor = 0;
  b.host.answers = {true};
  KeepRecord_Click(b.state, b.host, true);
  EXPECT_TRUE(b.host.keepRecord);
  EXPECT_EQ(b.host.recordPathShown, record);
  EXPECT_EQ(b.host.questions,
            (Strings{"Entries 1 to 1 of this file are already written (the last at 2026-12-08T10:01:00.000+00:00). "
                     "Continue with entry 2?"}));
  EXPECT_EQ(b.state.cards.CardCursor, 1);

  KeepRecord_Click(b.state, b.host, false);
  EXPECT_FALSE(b.host.keepRecord);
  EXPECT_TRUE(b.state.recordPath.empty());
}

}  // namespace
}  // namespace vx::test
