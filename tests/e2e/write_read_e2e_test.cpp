// Write Card with read-back, then Read Card, on every tab: the numbers go to
// the card and come back through the real serial port.

#include "e2e_window.h"

namespace vx::e2e {
namespace {

struct TabCase {
  const char* caption;
  const char* fc;  // near the top of the tab's ranges in the shipped HID.cfg
  const char* cn;
  const char* nextCn;
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
  EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryTab, WriteReadTest,
                         ::testing::Values(TabCase{"HID  WG26", "200", "65000", "65001"},
                                           TabCase{"HID  WG32", "16000", "54321", "54322"},
                                           TabCase{"HID WG34", "65535", "65534", "65535"},
                                           TabCase{"HID WG35", "8191", "1048574", "1048575"},
                                           TabCase{"HID WG36", "32767", "524286", "524287"},
                                           TabCase{"HID WG37", "65535", "524286", "524287"},
                                           TabCase{"HID WG40", "65535", "4194302", "4194303"},
                                           TabCase{"EM4100", "255", "4294967294", "4294967295"},
                                           TabCase{"HID WG24", "63", "65534", "65535"}),
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
