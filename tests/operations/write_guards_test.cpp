#include <gtest/gtest.h>

#include <fstream>

#include "operations/database.h"
#include "operations/em4100_operations.h"
#include "operations/card_operations.h"
#include "operations/operation_bench.h"
#include "operations/write_guards.h"
#include "operations/record_control.h"
#include "record/record_line.h"

namespace vx::test {
namespace {

using Strings = std::vector<std::string>;

const std::string kWhen = "2026-12-01T14:03:12.345+01:00";

std::string Line(const std::string& format, const std::string& fc, const std::string& cn,
                 const std::string& outcome = "written", const std::string& source = "typed", int entry = 0) {
  return FormatRecordLine({kWhen, "/dev/ttyS0", "HID  WG26", format, 8, 16, 2, 10, fc, cn, source, entry, outcome,
                           fc, cn, {}});
}

// A window with "Keep Record" ticked on a record that holds `lines`.
struct GuardBench : Bench {
  TempFile folder{"", "unused.txt"};
  std::string recordPath = folder.dir() + "/cards.csv";
  void KeepRecord(const std::string& lines) {
    std::ofstream(recordPath, std::ios::binary) << std::string(kRecordHeader) + "\r\n" + lines;
    host.chosenRecord = recordPath;
    KeepRecord_Click(state, host, true);
    ASSERT_EQ(state.recordPath, recordPath);
  }
  void Append(const std::string& text) { std::ofstream(recordPath, std::ios::app | std::ios::binary) << text; }
  Strings BannerTexts() {
    Strings texts;
    for (const ResultBanner& banner : host.banners) texts.push_back(banner.text);
    return texts;
  }
};

// With "Keep Record" on, 12,1000 on HID26 is looked up before anything is
// sent; only a written line of the same format and numbers asks, No preset.
TEST(WriteGuards, RecordLookUpBeforeTheWrite) {
  struct Case {
    const char* name;
    std::string indexed;   // the record when "Keep Record" is ticked
    std::string appended;  // what another station appends afterwards
    bool answer;
    std::string question;  // empty: none asked
    Strings commands;
  };
  const Strings written{"write", "read"};
  const std::string askTyped =
      "12,1000 (HID26) is already written: 2026-12-01T14:03:12+01:00, typed. Write it again?";
  const Case cases[] = {
      {"found, No", Line("HID26", "12", "1000"), "", false, askTyped, {}},
      {"found, Yes", Line("HID26", "12", "1000"), "", true, askTyped, written},
      {"found from a file",
       Line("HID26", "12", "999") + Line("hid26", "12", "1000", "written", "C:\\batches\\cards.txt", 17), "", false,
       "12,1000 (HID26) is already written: 2026-12-01T14:03:12+01:00, entry 17 of C:\\batches\\cards.txt. "
       "Write it again?",
       {}},
      {"other format", Line("HID34", "12", "1000"), "", false, "", written},
      {"other facility code", Line("HID26", "13", "1000"), "", false, "", written},
      {"outcome not written", Line("HID26", "12", "1000", "verify failed"), "", false, "", written},
      {"record grown during the run", Line("HID26", "12", "999"), Line("HID26", "12", "1000"), false, askTyped, {}},
      {"a line not yet ended", "", Line("HID26", "12", "1000").substr(0, 60), false, "", written},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GuardBench b;
    b.KeepRecord(c.indexed);
    b.Append(c.appended);
    const TabSpec& tab = Tab("HID26");
    b.RowOf(tab).FcText = "12";
    b.RowOf(tab).CnText = "1000";
    b.host.answers = {c.answer};

    WriteHidCard(b.dev, tab);

    EXPECT_EQ(b.host.questions, c.question.empty() ? Strings{} : Strings{c.question});
    EXPECT_EQ(b.host.presets, c.question.empty() ? std::vector<Answer>{} : std::vector<Answer>{Answer::No});
    EXPECT_EQ(Commands(b.link), c.commands);
    EXPECT_EQ(b.RowOf(tab).CnText, c.commands.empty() ? "1000" : "1001");
    if (c.commands.empty()) {
      EXPECT_EQ(b.BannerTexts(), Strings{"\u2718 Not written: 12,1000 is already written"});
    }
  }
}

// The card just written, left on the reader: the second press asks when the
// record is kept; this run's own line is found without ticking anything again.
TEST(WriteGuards, SecondPressOfTheSameCardAsks) {
  GuardBench b;
  b.KeepRecord("");
  const TabSpec& tab = Tab("HID26");
  b.RowOf(tab).FcText = "12";
  b.RowOf(tab).CnText = "1000";
  WriteHidCard(b.dev, tab);
  b.RowOf(tab).CnText = "1000";
  WriteHidCard(b.dev, tab);
  ASSERT_EQ(b.host.questions.size(), 1u);
  EXPECT_TRUE(b.host.questions[0].starts_with("12,1000 (HID26) is already written: ")) << b.host.questions[0];
  EXPECT_EQ(Commands(b.link), (Strings{"write", "read"}));
}

// With "Check Card First" ticked, the card on the reader is read in the
// tab's format before the write.
TEST(WriteGuards, CardOnTheReaderReadFirst) {
  struct Case {
    const char* name;
    bool em4100;
    std::function<void(GuardBench&)> setup;
    bool answer;
    std::string message;   // message box, empty: none
    std::string question;  // empty: none
    std::string banner;    // the last banner
    Strings commands;
  };
  const auto card = [](std::uint32_t fc, std::uint32_t cn) {
    const CardData data = EncodeHidCardData(fc, cn);
    return CardInFieldDevice::Data{data[0], data[1], data[2], data[3], data[4]};
  };
  const Strings writes{"read", "write", "read"};
  const std::string good = "\u2714 Written and verified: 12,1004";
  const std::string justWritten = "This card was just written as 12,1003. Put the next card on the reader.";
  const std::string holds = "This card already holds 12,997, written 2026-12-01T14:03:12+01:00. Overwrite it?";
  const Case cases[] = {
      {"no card answers", false, [](GuardBench&) {}, false, "", "", good, writes},
      {"blank or another format",
       false,
       [](GuardBench& b) {
         // Answers a read with status 04 until a card is written.
         b.link.SetDevice([written = std::optional<CardInFieldDevice::Data>()](const Bytes& frame,
                                                                               FakeLink& link) mutable {
           if (frame[2] == 0xA5) {
             written = CardInFieldDevice::Data{frame[10], frame[11], frame[12], frame[13], frame[14]};
             link.Reply(AckReplyBytes(), 1);
             return;
           }
           link.Reply(written ? CardDataReplyBytes(*written) : CardDataReplyBytes({}, 0x04), 1);
         });
       },
       false, "", "", good, writes},
      {"just written", false,
       [&](GuardBench& b) {
         b.state.lastWritten = LastWrittenCard{"HID26", 12, 1003};
         b.device.card = card(12, 1003);
       },
       false, justWritten, "", "\u2718 " + justWritten, {"read"}},
      // One number matches the card just written, the other does not: another card.
      {"another card number under the same facility code", false,
       [&](GuardBench& b) {
         b.state.lastWritten = LastWrittenCard{"HID26", 12, 1003};
         b.device.card = card(12, 1002);
       },
       false, "", "", good, writes},
      {"the same card number under another facility code", false,
       [&](GuardBench& b) {
         b.state.lastWritten = LastWrittenCard{"HID26", 12, 1003};
         b.device.card = card(13, 1003);
       },
       false, "", "", good, writes},
      {"just written on another tab", false,
       [&](GuardBench& b) {
         b.state.lastWritten = LastWrittenCard{"HID34", 12, 1003};
         b.device.card = card(12, 1003);
       },
       false, "", "", good, writes},
      {"EM4100 just written", true,
       [](GuardBench& b) {
         b.state.lastWritten = LastWrittenCard{"EM4100", 12, 1003};
         const CardData data = EncodeEm4100CardData(12, 1003);
         b.device.card = CardInFieldDevice::Data{data[0], data[1], data[2], data[3], data[4]};
       },
       false, justWritten, "", "\u2718 " + justWritten, {"read"}},
      {"recorded card, No", false,
       [&](GuardBench& b) {
         b.KeepRecord(Line("HID26", "12", "997"));
         b.device.card = card(12, 997);
       },
       false, "", holds, "\u2718 Not written: this card already holds 12,997", {"read"}},
      {"recorded card, Yes", false,
       [&](GuardBench& b) {
         b.KeepRecord(Line("HID26", "12", "997"));
         b.device.card = card(12, 997);
       },
       true, "", holds, good, writes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GuardBench b;
    c.setup(b);
    CheckCardFirst_Click(b.state, true);
    b.host.answers = {c.answer};
    if (c.em4100) {
      b.state.Em4100FcText = "12";
      b.state.Em4100CnText = "1004";
      Command20_Click(b.dev);
    } else {
      b.RowOf(Tab("HID26")).FcText = "12";
      b.RowOf(Tab("HID26")).CnText = "1004";
      WriteHidCard(b.dev, Tab("HID26"));
    }

    EXPECT_EQ(b.host.messages, c.message.empty() ? Strings{} : Strings{c.message});
    EXPECT_EQ(b.host.questions, c.question.empty() ? Strings{} : Strings{c.question});
    EXPECT_EQ(b.host.presets, c.question.empty() ? std::vector<Answer>{} : std::vector<Answer>{Answer::No});
    ASSERT_FALSE(b.host.banners.empty());
    EXPECT_EQ(b.host.banners.back().text, c.banner);
    EXPECT_EQ(Commands(b.link), c.commands);
    const std::string next = c.em4100 ? b.state.Em4100CnText : b.RowOf(Tab("HID26")).CnText;
    EXPECT_EQ(next, c.commands.size() > 1 ? "1005" : "1004");
  }
}

// Browse names the pairs a file repeats, and with a record kept how many of
// its entries were issued before; the file loads all the same.
TEST(WriteGuards, BrowseTellsOfRepeatsAndCardsIssued) {
  std::string file = "12,1001\n12,1005\n7,7\n12,1001\n12,1005\n";
  for (int n = 0; n < 11; ++n) file += "1," + std::to_string(n) + "\n1," + std::to_string(n) + "\n";
  file += "12,1005\n";
  GuardBench b;
  TempFile cards(file);
  b.KeepRecord(Line("EM4100", "7", "7") + Line("HID26", "12", "1001", "written", cards.path(), 1));
  b.host.chosenFile = cards.path();
  Command2_Click(b.state, b.host);

  EXPECT_EQ(b.state.cards.CardCount, 28);
  ASSERT_EQ(b.host.messages.size(), 1u);
  EXPECT_EQ(b.host.messages[0],
            "cards.txt lists 12,1001 twice (entries 1 and 4)\n"
            "cards.txt lists 12,1005 3 times (entries 2, 5 and 28)\n"
            "cards.txt lists 1,0 twice (entries 6 and 7)\n"
            "cards.txt lists 1,1 twice (entries 8 and 9)\n"
            "cards.txt lists 1,2 twice (entries 10 and 11)\n"
            "cards.txt lists 1,3 twice (entries 12 and 13)\n"
            "cards.txt lists 1,4 twice (entries 14 and 15)\n"
            "cards.txt lists 1,5 twice (entries 16 and 17)\n"
            "cards.txt lists 1,6 twice (entries 18 and 19)\n"
            "cards.txt lists 1,7 twice (entries 20 and 21)\n"
            "... and 3 more pairs listed more than once.\n\n"
            // 7,7 in another format, and entry 4 repeating entry 1's 12,1001.
            "The card record already has 2 of the 28 entries of cards.txt as written (typed, from another file or "
            "at another entry). Write Card asks before writing one again.");
}

}  // namespace
}  // namespace vx::test
