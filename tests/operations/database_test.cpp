#include <gtest/gtest.h>

#include <algorithm>

#include "carddata/card_data.h"
#include "operations/card_feed.h"
#include "cardlist/card_file.h"
#include "operations/database.h"
#include "operations/em4100_operations.h"
#include "operations/card_operations.h"
#include "operations/operation_bench.h"

namespace vx::test {
namespace {

using Strings = std::vector<std::string>;

// The operator picks `file` in Browse's dialog.
void Browse(Bench& b, const TempFile& file) {
  b.host.chosenFile = file.path();
  Command2_Click(b.state, b.host);
}

TEST(Browse, LoadsTheFileAndStartsEveryHidFormatAtTheFirstEntry) {
  Bench b;
  TempFile file("12,1001\n12,1002\n13,3456789012\n");
  b.state.Em4100FcText = "7";
  b.state.Em4100CnText = "77";
  Browse(b, file);

  EXPECT_EQ(b.state.cards.CardCount, 3);
  EXPECT_EQ(b.state.cards.CardCursor, 0);
  EXPECT_EQ(b.host.databasePath, file.path());
  EXPECT_EQ(b.host.batchProgress, "Next card: 1 of 3");
  EXPECT_TRUE(b.host.messages.empty());
  for (const FormatRow& row : b.state.formats.rows) {
    ASSERT_EQ(row.FcText, "12");
    ASSERT_EQ(row.CnText, "1001");
  }
  EXPECT_EQ(b.state.Em4100FcText, "7");
  EXPECT_EQ(b.state.Em4100CnText, "77");
  EXPECT_FALSE(b.state.BusyFlag);
}

// The first entry goes into the boxes of the tab in front, whichever it is.
TEST(Browse, FillsTheBoxesOfTheTabInFront) {
  for (const TabSpec& front : kTabs) {
    SCOPED_TRACE(std::string(front.caption));
    Bench b;
    TempFile file("5,100\n");
    b.host.frontTab = front.position;
    Browse(b, file);
    EXPECT_EQ(b.host.boxes, (std::map<int, std::string>{{front.fcBox, "5"}, {front.cnBox, "100"}}));
    EXPECT_EQ(b.state.Em4100CnText, "1");  // also when the EM4100 boxes show the entry
  }
}

// Nothing a Browse can meet loses the list already loaded.
TEST(Browse, CancelledOrRefusedFileChangesNothing) {
  struct Case {
    const char* name;
    std::optional<std::string> content;  // nullopt: the dialog is cancelled
    bool missingFile;
    std::vector<std::string> messageParts;
    bool oversize = false;  // a file past the size of any card-number file
  };
  const Case cases[] = {
      {"cancelled", std::nullopt, false, {}},
      {"missing file", "", true, {"cards.txt"}},
      {"not a number", "1,2\n3,x4\n", false, {"cards.txt", "line 2", "x4"}},
      {"odd number of values", "1,2\n3\n", false, {"cards.txt"}},
      {"too large", "1,2\n", false, {"cards.txt", "larger than"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bench b;
    TempFile loaded("5,100\n5,101\n", "first.txt");
    Browse(b, loaded);
    b.state.cards.CardCursor = 1;
    b.state.formats.rows[0].CnText = "101";
    b.host.SetBoxText(3, "keep");
    b.host.batchProgress = "as it was";

    std::optional<TempFile> next;
    if (!c.content) {
      b.host.chosenFile = std::nullopt;
    } else {
      next.emplace(*c.content);
      b.host.chosenFile = next->path();
      if (c.missingFile) std::filesystem::remove(next->path());
      if (c.oversize) std::filesystem::resize_file(next->path(), kCardFileMaxBytes + 1);
    }
    Command2_Click(b.state, b.host);

    EXPECT_EQ(b.state.cards.CardCount, 2);
    EXPECT_EQ(b.state.cards.CardCursor, 1);
    EXPECT_EQ(b.state.cards.entries.size(), 2u);
    EXPECT_EQ(b.state.formats.rows[0].CnText, "101");
    EXPECT_EQ(b.host.BoxText(3), "keep");
    EXPECT_EQ(b.host.databasePath, loaded.path());
    EXPECT_EQ(b.host.batchProgress, "as it was");
    EXPECT_FALSE(b.state.BusyFlag);
    if (c.messageParts.empty()) {
      EXPECT_TRUE(b.host.messages.empty());
    } else {
      ASSERT_EQ(b.host.messages.size(), 1u);
      for (const std::string& part : c.messageParts) EXPECT_NE(b.host.messages[0].find(part), std::string::npos)
          << b.host.messages[0];
    }
  }
}

TEST(Browse, EmptyFileIsEmpty) {
  Bench b;
  TempFile loaded("5,100\n");
  Browse(b, loaded);
  TempFile empty("", "empty.txt");
  b.host.boxes.clear();
  Browse(b, empty);
  EXPECT_EQ(b.host.messages, Strings{"Empty!"});
  EXPECT_EQ(b.state.cards.CardCount, 0);
  EXPECT_EQ(b.state.cards.CardCursor, 0);
  EXPECT_EQ(b.host.databasePath, empty.path());
  EXPECT_EQ(b.host.batchProgress, "No card list loaded");
  EXPECT_TRUE(b.host.boxes.empty());

  b.host.useDatabase = true;
  WriteHidCard(b.dev, Tab("HID26"));
  EXPECT_EQ(b.host.messages, (Strings{"Empty!", " The Card is End!"}));
  EXPECT_TRUE(b.link.written.empty());
}

TEST(Browse, SecondFileReplacesTheListAndRestarts) {
  Bench b;
  TempFile first("1,10\n1,11\n1,12\n", "first.txt");
  TempFile second("2,20\n", "second.txt");
  b.host.useDatabase = true;
  Browse(b, first);
  WriteHidCard(b.dev, Tab("HID26"));
  EXPECT_EQ(b.state.cards.CardCursor, 1);
  Browse(b, second);
  EXPECT_EQ(b.state.cards.CardCount, 1);
  EXPECT_EQ(b.state.cards.CardCursor, 0);
  WriteHidCard(b.dev, Tab("HID26"));
  EXPECT_EQ(b.host.list[b.host.list.size() - 2], "2,20");
}

TEST(Browse, DoesNothingWhileBusy) {
  Bench b;
  TempFile file("5,100\n");
  b.state.BusyFlag = true;
  Browse(b, file);
  EXPECT_EQ(b.state.cards.CardCount, 0);
  EXPECT_TRUE(b.host.databasePath.empty());
  EXPECT_TRUE(b.state.BusyFlag);
}

TEST(UseDatabase, ShowsAndHidesTheFrameAndKeepsTheCursor) {
  Bench b;
  b.LoadCards({{1, 1}, {1, 2}});
  b.state.cards.CardCursor = 1;
  b.host.useDatabase = true;
  Check1_Click(b.state, b.host);
  EXPECT_TRUE(b.host.databaseFrameVisible);
  b.host.useDatabase = false;
  Check1_Click(b.state, b.host);
  EXPECT_FALSE(b.host.databaseFrameVisible);
  b.host.useDatabase = true;
  Check1_Click(b.state, b.host);
  EXPECT_EQ(b.state.cards.CardCursor, 1);
  WriteHidCard(b.dev, Tab("HID26"));
  EXPECT_EQ(b.host.list[b.host.list.size() - 2], "1,2");
}

TEST(BatchProgress, SaysWhereTheBatchStands) {
  struct Case {
    std::int16_t count, cursor;
    const char* text;
  };
  for (const Case c : {Case{0, 0, "No card list loaded"}, Case{500, 0, "Next card: 1 of 500"},
                       Case{500, 2, "Next card: 3 of 500"}, Case{500, 500, "All 500 cards written"}}) {
    CardList list;
    list.entries.resize(static_cast<std::size_t>(c.count));
    list.CardCount = c.count;
    list.CardCursor = c.cursor;
    EXPECT_EQ(BatchProgressText(list), c.text);
  }
}

// One list serves every tab: entries used on one tab are gone for the others.
TEST(Batch, OneCursorAcrossTabs) {
  Bench b;
  b.host.useDatabase = true;
  b.LoadCards({{1, 100}, {2, 200}, {3, 300}});
  WriteHidCard(b.dev, Tab("HID26"));
  Command20_Click(b.dev);
  WriteHidCard(b.dev, Tab("HID40"));
  EXPECT_EQ(b.host.list, (Strings{"1,100", "Write AND Read Block Success", "2,200", "Write AND Read Block Success",
                                  "3,300", "Write AND Read Block Success"}));
  EXPECT_EQ(b.host.messages, Strings{" The Card is End!"});
}

// 500 entries through a device that fails every seventh write in turn
// silently, by refusing, or by writing the card wrong.
TEST(Batch, FiveHundredEntriesWithFailingWrites) {
  Bench b;
  const TabSpec& tab = Tab("HID40");
  std::string content;
  std::vector<std::pair<int, int>> expected;
  for (int i = 0; i < 500; ++i) {
    const int fc = 1000 + i % 7;
    const int cn = 4000000 + i * 97;
    expected.emplace_back(fc, cn);
    content += std::to_string(fc) + "," + std::to_string(cn) + "\n";
  }
  TempFile file(content);
  b.host.useDatabase = true;
  Browse(b, file);
  ASSERT_EQ(b.state.cards.CardCount, 500);

  const CardFault faults[] = {CardFault::Silent, CardFault::Refuse, CardFault::WrongReadBack};
  int wrongCards = 0;
  b.device.faultOf = [&](int n) {
    if (n % 7 != 6) return CardFault::None;
    const CardFault fault = faults[(n / 7) % 3];
    if (fault == CardFault::WrongReadBack) ++wrongCards;
    return fault;
  };

  int presses = 0;
  while (b.host.messages.empty() && presses < 1000) {
    WriteHidCard(b.dev, tab);
    ++presses;
    if (b.state.cards.CardCursor < 500) {
      ASSERT_EQ(b.host.batchProgress, "Next card: " + std::to_string(b.state.cards.CardCursor + 1) + " of 500");
    }
  }
  EXPECT_EQ(b.host.messages, Strings{" The Card is End!"});
  EXPECT_EQ(b.host.batchProgress, "All 500 cards written");

  // The card each success line vouches for, in order.
  std::vector<std::pair<int, int>> confirmed;
  for (std::size_t i = 1; i < b.host.list.size(); ++i) {
    if (b.host.list[i] != "Write AND Read Block Success") continue;
    const std::string& line = b.host.list[i - 1];
    const auto comma = line.find(',');
    confirmed.emplace_back(std::stoi(line.substr(0, comma)), std::stoi(line.substr(comma + 1)));
  }
  EXPECT_EQ(confirmed, expected);

  // The cards the device ended up holding right: each entry once, none wrong-as-good.
  std::vector<std::pair<int, int>> goodCards;
  for (const auto& d : b.device.cardsWritten) {
    const CardNumbers n = DecodeHidCardData(d);
    const std::pair<int, int> card(static_cast<int>(n.facilityCode), static_cast<int>(n.cardNumber));
    if (std::find(expected.begin(), expected.end(), card) != expected.end()) goodCards.push_back(card);
  }
  EXPECT_EQ(goodCards, expected);
  // Every failed write was pressed again; the wrong cards are not among the good ones.
  EXPECT_EQ(presses, b.device.writeFrames);
  EXPECT_EQ(presses, 500 + b.device.writeFrames / 7);
  EXPECT_EQ(b.device.cardsWritten.size(), 500u + static_cast<unsigned>(wrongCards));
  EXPECT_GT(wrongCards, 0);
}

}  // namespace
}  // namespace vx::test
