#include <gtest/gtest.h>

#include "operations/card_feed.h"
#include "operations/em4100_operations.h"
#include "operations/card_operations.h"
#include "operations/operation_bench.h"

namespace vx::test {
namespace {

using Strings = std::vector<std::string>;

Bytes Frame(std::initializer_list<std::uint8_t> bytes) { return Bytes(bytes); }

TEST(HidWrite, WorkedFramesAndTypedSuccessOn18And300) {
  Bench b;
  const TabSpec& tab = Tab("HID26");
  b.RowOf(tab).FcText = "18";
  b.RowOf(tab).CnText = "300";
  b.host.list = {"earlier line"};

  WriteHidCard(b.dev, tab);

  ASSERT_EQ(b.link.written.size(), 2u);
  EXPECT_EQ(b.link.written[0], Frame({0x02, 0x01, 0xA5, 0x0B, 0x00, 0x00, 0x08, 0x10, 0x02, 0x0A, 0x00, 0x12, 0x00,
                                      0x01, 0x2C, 0x82, 0x03}));
  EXPECT_EQ(b.link.written[1], Frame({0x02, 0x01, 0xA4, 0x0B, 0x00, 0x00, 0x08, 0x10, 0x02, 0x0A, 0x00, 0x00, 0x00,
                                      0x00, 0x00, 0xBC, 0x03}));
  EXPECT_EQ(b.host.list, (Strings{"earlier line", "18,300", "Write AND Read Block Success"}));
  EXPECT_EQ(b.host.selectedLine, 2);
  EXPECT_EQ(b.Boxes(tab), "18/301");
  EXPECT_EQ(b.RowOf(tab).CnText, "301");
  EXPECT_EQ(b.RowOf(tab).FcText, "18");
  EXPECT_TRUE(b.host.messages.empty());
  EXPECT_FALSE(b.link.IsOpen());
  EXPECT_FALSE(b.state.BusyFlag);
}

// Every HID tab writes with its own row's layout numbers into its own boxes.
TEST(HidWrite, EveryHidTabIsBoundThroughTheTabTable) {
  for (const TabSpec& tab : kTabs) {
    if (tab.kind != TabKind::Hid) continue;
    SCOPED_TRACE(std::string(tab.caption));
    Bench b;
    FormatRow& row = b.RowOf(tab);
    row.FcText = "5";
    row.CnText = "77";
    WriteHidCard(b.dev, tab);
    ASSERT_EQ(b.link.written.size(), 2u);
    EXPECT_EQ(b.link.written[0][6], row.FcBits);
    EXPECT_EQ(b.link.written[0][7], row.CnBits);
    EXPECT_EQ(b.link.written[0][8], row.ParamY);
    EXPECT_EQ(b.link.written[0][9], row.ParamZ);
    EXPECT_EQ(b.Boxes(tab), "5/78");
    EXPECT_EQ(row.CnText, "78");
  }
}

struct FaultCase {
  const char* name;
  CardFault fault;
  Strings lines;
  std::string boxes;  // after the press
};

// What the operator sees when the device lets the write down, and that nothing
// moves on: the next press writes the same card. On an HID tab and on EM4100,
// whose texts and press differ.
TEST(HidWrite, DeviceFaultsAdvanceNothing) {
  const FaultCase cases[] = {
      {"silent", CardFault::Silent, {"Write Block Data Fail"}, "9/9"},
      {"refused", CardFault::Refuse, {"Write Block Data Fail"}, "9/9"},
      {"no read-back", CardFault::AckNoRead, {"Read Block Data Fail"}, "9/9"},
      {"malformed read-back", CardFault::MalformedReadBack, {}, "9/9"},
      {"wrong read-back", CardFault::WrongReadBack, {"18,301", "Verify Block Data Fail"}, "18/300"},
      // The card number is right, the facility code is not: not the card asked for.
      {"another facility code", CardFault::OtherFacilityCode, {"19,300", "Verify Block Data Fail"}, "18/300"},
  };
  for (const TabSpec* tab : {&Tab("HID26"), &Em4100Tab()}) {
    for (const bool fromList : {false, true}) {
      for (const FaultCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (fromList ? " from the list" : " typed") + " on " +
                     std::string(tab->caption));
        Bench b;
        const bool em4100 = tab->kind == TabKind::Em4100;
        std::string& fcText = em4100 ? b.state.Em4100FcText : b.RowOf(*tab).FcText;
        std::string& cnText = em4100 ? b.state.Em4100CnText : b.RowOf(*tab).CnText;
        const auto press = [&] { em4100 ? Command20_Click(b.dev) : WriteHidCard(b.dev, *tab); };
        b.host.SetBoxText(tab->fcBox, "9");
        b.host.SetBoxText(tab->cnBox, "9");
        fcText = "18";
        cnText = "300";
        b.host.useDatabase = fromList;
        b.LoadCards({{18, 300}, {18, 301}});
        b.device.faultOf = [&](int) { return c.fault; };

        press();

        EXPECT_EQ(b.host.list, c.lines);
        EXPECT_EQ(b.Boxes(*tab), c.boxes);
        EXPECT_EQ(fcText, "18");
        EXPECT_EQ(cnText, "300");
        EXPECT_EQ(b.state.cards.CardCursor, 0);
        EXPECT_TRUE(b.host.messages.empty());
        EXPECT_FALSE(b.link.IsOpen());
        EXPECT_FALSE(b.state.BusyFlag);

        // The next press, with the device well again, writes the same card.
        b.device.faultOf = nullptr;
        b.link.written.clear();
        press();
        ASSERT_FALSE(b.link.written.empty());
        EXPECT_EQ(b.link.written[0][13], 0x01);
        EXPECT_EQ(b.link.written[0][14], 0x2C);
        EXPECT_EQ(b.host.list.back(), "Write AND Read Block Success");
      }
    }
  }
}

TEST(HidWrite, BusyOrClosedPortSendsNothing) {
  {
    Bench b;
    b.state.BusyFlag = true;
    WriteHidCard(b.dev, Tab("HID26"));
    EXPECT_TRUE(b.link.written.empty());
    EXPECT_TRUE(b.link.opened.empty());
    EXPECT_TRUE(b.host.messages.empty());
    EXPECT_TRUE(b.host.list.empty());
    EXPECT_TRUE(b.state.BusyFlag);
  }
  {
    Bench b;
    b.link.RefuseOpen(true);
    WriteHidCard(b.dev, Tab("HID26"));
    EXPECT_TRUE(b.link.written.empty());
    EXPECT_EQ(b.host.messages, Strings{"COM port open failure!"});
    EXPECT_FALSE(b.state.BusyFlag);
  }
}

TEST(HidWrite, RefusedListEntryStaysInTheTextsAndUnderTheCursor) {
  struct ListCase {
    CardEntry entry;
    const char* message;
    const char* fcText;
    const char* cnText;
  };
  const ListCase cases[] = {
      {{256, 1}, "Facility Code is Error!", "256", "1"},
      {{-5, 1}, "Facility Code is Error!", "-5", "1"},
      {{1, 65536}, "Card Number is Error!", "1", "65536"},
      {{1, -1}, "Card Number is Error!", "1", "-1"},
      {{1, 2.5}, "Card Number is Error!", "1", "2.5"},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.message + std::string(" ") + c.fcText + "," + c.cnText);
    Bench b;
    const TabSpec& tab = Tab("HID26");
    b.host.useDatabase = true;
    b.LoadCards({c.entry, {1, 1}});
    b.host.SetBoxText(tab.fcBox, "3");
    for (int press = 0; press < 2; ++press) WriteHidCard(b.dev, tab);
    EXPECT_EQ(b.host.messages, (Strings{c.message, c.message}));
    EXPECT_TRUE(b.link.written.empty());
    EXPECT_EQ(b.RowOf(tab).FcText, c.fcText);
    EXPECT_EQ(b.RowOf(tab).CnText, c.cnText);
    EXPECT_EQ(b.host.BoxText(tab.fcBox), "3");
    EXPECT_EQ(b.state.cards.CardCursor, 0);
    EXPECT_FALSE(b.link.IsOpen());
  }
}

// The operator takes a minute to close " The Card is End!": no failure line follows.
TEST(HidWrite, OpenMessageBoxAddsNoFailureLine) {
  Bench b;
  b.host.useDatabase = true;
  b.LoadCards({{1, 2}});
  b.host.onMessage = [&](const std::string&) {
    for (int i = 0; i < 6000; ++i) b.host.Tick();
  };
  WriteHidCard(b.dev, Tab("HID26"));
  EXPECT_EQ(b.host.list, (Strings{"1,2", "Write AND Read Block Success"}));
  EXPECT_EQ(b.host.selectedLine, 1);
  EXPECT_FALSE(b.link.IsOpen());
}

TEST(HidWrite, ModeSwitchedDuringTheWait) {
  {
    SCOPED_TRACE("unticked: the typed-mode step");
    Bench b;
    const TabSpec& tab = Tab("HID26");
    b.host.useDatabase = true;
    b.LoadCards({{4, 40}, {4, 50}});
    b.host.AtTick(10, [&] { b.host.useDatabase = false; });
    WriteHidCard(b.dev, tab);
    EXPECT_EQ(b.state.cards.CardCursor, 0);
    EXPECT_EQ(b.RowOf(tab).CnText, "41");
    EXPECT_EQ(b.Boxes(tab), "4/41");
  }
  {
    SCOPED_TRACE("ticked: a typed card does not use up an entry");
    Bench b;
    const TabSpec& tab = Tab("HID26");
    b.RowOf(tab).CnText = "7";
    b.LoadCards({{4, 40}, {4, 50}});
    b.host.AtTick(10, [&] { b.host.useDatabase = true; });
    WriteHidCard(b.dev, tab);
    EXPECT_EQ(b.state.cards.CardCursor, 0);
    EXPECT_EQ(b.RowOf(tab).CnText, "8");
    WriteHidCard(b.dev, tab);
    EXPECT_EQ(b.host.list[b.host.list.size() - 2], "4,40");
  }
}

TEST(HidWrite, ResultGoesToTheBoxesOfTheButtonsTab) {
  Bench b;
  const TabSpec& tab = Tab("HID40");
  b.host.frontTab = tab.position;
  b.host.AtTick(3, [&] { b.host.frontTab = 0; });
  b.RowOf(tab).CnText = "4194303";
  WriteHidCard(b.dev, tab);
  EXPECT_EQ(b.Boxes(tab), "1/4194304");
  EXPECT_EQ(b.host.boxes.count(Tab("HID26").cnBox), 0u);
}

// A card that holds a number wider than the tab's box is shown whole.
TEST(HidWrite, WideReadBackIsShownWholeAndNotTakenAsGood) {
  Bench b;
  const TabSpec& tab = Tab("HID24");
  b.link.SetDevice([](const Bytes& frame, FakeLink& link) {
    if (frame[2] == 0xA5) link.Reply(AckReplyBytes());
    if (frame[2] == 0xA4) link.Reply(CardDataReplyBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  });
  WriteHidCard(b.dev, tab);
  EXPECT_EQ(b.Boxes(tab), "1/1");
  EXPECT_EQ(b.host.list, (Strings{"65535,16777215", "Verify Block Data Fail"}));
}

TEST(HidWrite, ClosingWindowEndsTheWaitWithoutMessages) {
  struct CloseCase {
    long closeAt;
    int answerDelay;
  };
  // During the acknowledgement wait, the settle, the read-back wait.
  for (const CloseCase c : {CloseCase{5, 20}, CloseCase{15, 1}, CloseCase{60, 30}}) {
    const long closeAt = c.closeAt;
    SCOPED_TRACE(closeAt);
    Bench b;
    b.host.useDatabase = true;
    b.LoadCards({{1, 2}});
    b.device.answerDelay = c.answerDelay;
    b.host.AtTick(closeAt, [&] { b.host.closing = true; });
    WriteHidCard(b.dev, Tab("HID26"));
    EXPECT_TRUE(b.host.messages.empty());
    EXPECT_EQ(b.state.cards.CardCursor, 0);
    EXPECT_LE(b.host.ticks(), closeAt + 1);
    EXPECT_FALSE(b.link.IsOpen());
    EXPECT_FALSE(b.state.BusyFlag);
    ASSERT_FALSE(b.host.list.empty());
    EXPECT_NE(b.host.list.back(), "Write AND Read Block Success");
  }
}

}  // namespace
}  // namespace vx::test
