// "Check Printed Number": the number printed on the card in hand, asked for
// before each Write Card and compared before anything is sent.

#include <gtest/gtest.h>

#include <optional>

#include "operations/card_kinds.h"
#include "operations/operation_bench.h"
#include "operations/printed_check.h"
#include "platform/text_file.h"
#include "record/record_file.h"
#include "record/record_line.h"

namespace vx::test {
namespace {

TEST(PrintedCheck, TheCardInHandBeforeTheWrite) {
  struct Case {
    const char* name;
    bool em4100;                        // the EM4100 tab, else HID26
    std::vector<CardEntry> list;        // empty: the card is typed, 12,1000 (EM4100: 12,3456789012)
    bool ticked;
    std::string offset;                 // the offset box
    std::optional<std::string> typed;   // what the operator or the scanner gives; nullopt: cancelled
    std::string banner;                 // the last banner; empty: the card was written
    bool messageBox;                    // a refusal's message box besides the banner
    std::string printedRecorded;        // the record's printed_number of a card written
  };
  const std::vector<CardEntry> printed{{12, 1000, "0004711"}, {12, 1001, "0004712"}};
  const std::vector<CardEntry> plain{{12, 1000}, {12, 1001}};
  const Case cases[] = {
      {"the entry's printed number", false, printed, true, "", "0004711", "", false, "0004711"},
      {"another card of the file", false, printed, true, "", "0004712",
       "\u2718 Not written: this card is printed 0004712, the next entry is printed 0004711", true, ""},
      {"a file's leading zeros count", false, printed, true, "", "4711",
       "\u2718 Not written: this card is printed 4711, the next entry is printed 0004711", true, ""},
      {"a scanner's blanks and Enter", false, printed, true, "", " 0004711\r\n", "", false, "0004711"},
      {"numbered alike", false, plain, true, "", "1000", "", false, "1000"},
      {"numbered alike, leading zeros aside", false, plain, true, "", "0001000", "", false, "0001000"},
      {"an offset", false, plain, true, "5000", "6000", "", false, "6000"},
      {"an offset missed", false, plain, true, "5000", "1000",
       "\u2718 Not written: this card is printed 1000, the next entry is printed 6000", true, ""},
      {"a typed card", false, {}, true, "", "1000", "", false, "1000"},
      {"a typed card missed", false, {}, true, "", "999",
       "\u2718 Not written: this card is printed 999, the next card is printed 1000", true, ""},
      {"an EM4100 card", true, {}, true, "", "3456789012", "", false, "3456789012"},
      {"cancelled", false, printed, true, "", std::nullopt, "\u2718 Not written: no printed number was given", false,
       ""},
      {"not digits", false, printed, true, "", "47a",
       "\u2718 Not written: a printed number is digits only, at most 20 of them", true, ""},
      {"the box off: nothing asked, the file's number kept", false, printed, false, "", std::nullopt, "", false,
       "0004711"},
      {"the box off, a typed card", false, {}, false, "", std::nullopt, "", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bench b;
    TempFile record("", "record.csv");
    ASSERT_FALSE(StartRecord(record.path()));
    b.state.recordPath = record.path();
    const TabSpec& tab = c.em4100 ? Em4100Tab() : Tab("HID26");
    if (c.em4100) {
      b.state.Em4100FcText = "12";
      b.state.Em4100CnText = "3456789012";
    } else {
      b.RowOf(tab).FcText = "12";
      b.RowOf(tab).CnText = "1000";
    }
    if (!c.list.empty()) {
      b.LoadCards(c.list);
      b.host.useDatabase = true;
    }
    CheckPrintedNumber_Click(b.state, c.ticked);
    ASSERT_TRUE(SetPrintedOffset(b.state, c.offset));
    b.host.printedTyped = {c.typed};

    RunCardAction(b.dev, tab, CardAction::Write);

    EXPECT_EQ(b.host.printedPrompts.size(), c.ticked ? 1u : 0u);
    const bool written = c.banner.empty();
    EXPECT_EQ(Commands(b.link), written ? (Strings{"write", "read"}) : Strings{});
    if (!written) {
      EXPECT_EQ(b.host.banners.back().text, c.banner);
    }
    EXPECT_EQ(b.host.messages.size(), c.messageBox ? 1u : 0u);
    // Nothing advances past a card not written.
    if (!c.list.empty()) {
      EXPECT_EQ(b.state.cards.CardCursor, written ? 1 : 0);
    }
    const auto lines = ParseRecordText(ReadWholeFile(record.path()).value_or(""));
    ASSERT_EQ(lines.size(), written ? 1u : 0u);
    if (written) {
      EXPECT_EQ(lines[0].printedNumber, c.printedRecorded);
    }
  }
}

// The offset box and --printed-offset: digits, empty for 0, at most ten of
// them; any other text leaves the offset as it was.
TEST(PrintedCheck, TheOffsetTakesDigitsOnly) {
  struct Case {
    std::string text;
    bool taken;
    std::uint64_t offset;
  };
  const Case cases[] = {
      {"", true, 0}, {"5000", true, 5000}, {"0042", true, 42}, {"9999999999", true, 9999999999ULL},
      {"99999999999", false, 7}, {"-5", false, 7}, {"5 ", false, 7}, {"x", false, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    FormState state;
    state.printedOffset = 7;
    EXPECT_EQ(SetPrintedOffset(state, c.text), c.taken);
    EXPECT_EQ(state.printedOffset, c.offset);
  }
}

}  // namespace
}  // namespace vx::test
