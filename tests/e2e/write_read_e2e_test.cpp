// Write Card with read-back, then Read Card, then Identify Card (F4) from
// another tab, on every tab: the numbers go to the card and come back through
// the real serial port, and the card's own tab is the one that reads it.

#include "e2e_window.h"

namespace vx::e2e {
namespace {

struct TabCase {
  const char* caption;
  const char* fc;  // near the top of the tab's ranges in the shipped HID.cfg
  const char* cn;
  const char* nextCn;
  const char* identified;  // List1's line after Identify
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const TabCase& c, std::ostream* os) { *os << c.caption; }


class WriteReadTest : public EndToEndTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(WriteReadTest, WritesReadsBackAndStepsToTheNextCard) {
  const TabCase& c = GetParam();
  const TabSpec& tab = TabNamed(c.caption);
  Start();
  Type(tab, tab.fcBox, c.fc);
  Type(tab, tab.cnBox, c.cn);

  Click(tab.writeButton);
  const QString card = QString("%1,%2").arg(c.fc, c.cn);
  EXPECT_EQ(Lines(), QStringList({card, "Write AND Read Block Success"}));
  EXPECT_TRUE(LastLineSelected());
  EXPECT_EQ(Box(tab.fcBox)->text(), c.fc);
  EXPECT_EQ(Box(tab.cnBox)->text(), c.nextCn);

  // The card in the field holds what was written, whatever the boxes now say.
  Click(tab.readButton);
  EXPECT_EQ(Lines(), QStringList({card, "Write AND Read Block Success", card}));
  EXPECT_EQ(Box(tab.fcBox)->text(), c.fc);
  EXPECT_EQ(Box(tab.cnBox)->text(), c.cn);

  // Identify from another tab: the card's tab comes to the front with its numbers.
  Type(tab, tab.fcBox, "1");
  Type(tab, tab.cnBox, "1");
  SelectTab((tab.position + 4) % kTabCount);
  QTest::keyClick(List(), Qt::Key_F4);
  EXPECT_EQ(Tabs()->currentIndex(), tab.position);
  EXPECT_EQ(Box(tab.fcBox)->text(), c.fc);
  EXPECT_EQ(Box(tab.cnBox)->text(), c.cn);
  EXPECT_EQ(Lines().last(), c.identified);
  const QString caption = QString::fromUtf8(tab.caption.data(), static_cast<qsizetype>(tab.caption.size()));
  EXPECT_EQ(Child<QLabel>("ResultBanner")->text(), QString("\u25CF %1: %2").arg(caption, QString(c.identified).section(": ", 1)));
  EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryTab, WriteReadTest,
                         ::testing::Values(TabCase{"HID  WG26", "200", "65000", "65001", "HID26: 200,65000"},
                                           TabCase{"HID  WG32", "16000", "54321", "54322", "HID32: 16000,54321"},
                                           TabCase{"HID WG34", "65535", "65534", "65535", "HID34: 65535,65534"},
                                           TabCase{"HID WG35", "8191", "1048574", "1048575", "HID35: 8191,1048574"},
                                           TabCase{"HID WG36", "32767", "524286", "524287", "HID36: 32767,524286"},
                                           TabCase{"HID WG37", "65535", "524286", "524287", "HID37: 65535,524286"},
                                           TabCase{"HID WG40", "65535", "4194302", "4194303", "HID40: 65535,4194302"},
                                           TabCase{"EM4100", "255", "4294967294", "4294967295", "EM4100: 255,4294967294 (ID FFFFFFFFFE)"},
                                           TabCase{"HID WG24", "63", "65534", "65535", "HID24: 63,65534"}),
                         [](const auto& info) { return "Tab" + std::to_string(TabNamed(info.param.caption).position); });

TEST_F(EndToEndTest, ReadingACardOfAnotherFormatShowsNothing) {
  // The device starts with an EM4100 card (1,1) in its field.
  Start();
  const TabSpec& em4100 = TabNamed("EM4100");
  SelectTab(em4100.position);
  Click(em4100.readButton);
  EXPECT_EQ(Lines(), QStringList({"1,1"}));
  const TabSpec& wg26 = TabNamed("HID  WG26");
  SelectTab(wg26.position);
  Click(wg26.readButton);
  EXPECT_EQ(Lines(), QStringList({"1,1"}));
  EXPECT_EQ(Box(wg26.fcBox)->text(), "1");
}

}  // namespace
}  // namespace vx::e2e
