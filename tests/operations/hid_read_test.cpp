#include <gtest/gtest.h>

#include "operations/card_operations.h"
#include "operations/operation_bench.h"

namespace vx::test {
namespace {

using Strings = std::vector<std::string>;

struct ReadCase {
  const char* name;
  std::optional<Bytes> reply;  // nullopt: the device stays silent
  std::string boxes;           // after the read, "fc/cn"
  Strings lines;
};

Bytes Reply(std::initializer_list<std::uint8_t> head) {
  Bytes b(head);
  while (b.size() < 11) b.push_back(0x00);
  return b;
}

TEST(HidRead, RepliesAndWhatTheOperatorSees) {
  const ReadCase cases[] = {
      {"123 and 300", Reply({0x02, 0x01, 0x00, 0x05, 0x00, 0x7B, 0x00, 0x01, 0x2C, 0x00, 0x03}), "123/300",
       {"123,300"}},
      {"beyond the tab's ranges", Reply({0x02, 0x01, 0x00, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "65535/16777215",
       {"65535,16777215"}},
      {"all zero", Reply({0x02, 0x01, 0x00, 0x05}), "0/0", {"0,0"}},
      {"status 03", Reply({0x02, 0x01, 0x03, 0x05, 0x00, 0x7B}), "9/9", {}},
      {"stray byte in front", Reply({0x55, 0x02, 0x01, 0x00, 0x05, 0x00, 0x7B}), "9/9", {}},
      {"silent", std::nullopt, "9/9", {"Read Card Data Fail"}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    Bench b;
    const TabSpec& tab = Tab("HID26");
    b.host.SetBoxText(tab.fcBox, "9");
    b.host.SetBoxText(tab.cnBox, "9");
    b.link.SetDevice([&](const Bytes&, FakeLink& link) {
      if (c.reply) link.Reply(*c.reply, 2);
    });
    ReadHidCard(b.dev, tab);
    ASSERT_EQ(b.link.written.size(), 1u);
    EXPECT_EQ(b.link.written[0], Bytes({0x02, 0x01, 0xA4, 0x0B, 0x00, 0x00, 0x08, 0x10, 0x02, 0x0A, 0x00, 0x00,
                                        0x00, 0x00, 0x00, 0xBC, 0x03}));
    EXPECT_EQ(b.Boxes(tab), c.boxes);
    EXPECT_EQ(b.host.list, c.lines);
    EXPECT_EQ(b.host.selectedLine, static_cast<int>(c.lines.size()) - 1);
    EXPECT_TRUE(b.host.messages.empty());
    EXPECT_EQ(b.RowOf(tab).FcText, "1");  // reading never changes the current texts
    EXPECT_EQ(b.RowOf(tab).CnText, "1");
    EXPECT_FALSE(b.link.IsOpen());
    EXPECT_FALSE(b.state.BusyFlag);
  }
}

TEST(HidRead, EveryHidTabReadsWithItsRowIntoItsBoxes) {
  for (const TabSpec& tab : kTabs) {
    if (tab.kind != TabKind::Hid) continue;
    SCOPED_TRACE(std::string(tab.caption));
    Bench b;
    b.device.card = CardInFieldDevice::Data{0x00, 0x2A, 0x00, 0x00, 0x63};
    b.host.frontTab = (tab.position + 1) % kTabCount;  // switched away while reading
    ReadHidCard(b.dev, tab);
    const FormatRow& row = b.RowOf(tab);
    ASSERT_EQ(b.link.written.size(), 1u);
    EXPECT_EQ(b.link.written[0][6], row.FcBits);
    EXPECT_EQ(b.link.written[0][9], row.ParamZ);
    EXPECT_EQ(b.Boxes(tab), "42/99");
    EXPECT_EQ(b.host.list, Strings{"42,99"});
  }
}

// What was typed is written, not what a read showed in the boxes.
TEST(HidRead, WriteAfterReadWritesTheTypedNumbers) {
  Bench b;
  const TabSpec& tab = Tab("HID26");
  b.RowOf(tab).FcText = "3";
  b.RowOf(tab).CnText = "33";
  b.device.card = CardInFieldDevice::Data{0x00, 0x7B, 0x00, 0x01, 0x2C};
  ReadHidCard(b.dev, tab);
  EXPECT_EQ(b.Boxes(tab), "123/300");
  WriteHidCard(b.dev, tab);
  EXPECT_EQ(b.host.list, (Strings{"123,300", "3,33", "Write AND Read Block Success"}));
}

TEST(HidRead, BusyDoesNothingAndAPressDuringTheWaitIsIgnored) {
  Bench b;
  const TabSpec& tab = Tab("HID26");
  b.state.BusyFlag = true;
  ReadHidCard(b.dev, tab);
  EXPECT_TRUE(b.link.opened.empty());
  b.state.BusyFlag = false;

  b.device.answerDelay = 10;
  b.device.card = CardInFieldDevice::Data{0, 1, 0, 0, 2};
  b.host.AtTick(3, [&] {
    ReadHidCard(b.dev, tab);
    WriteHidCard(b.dev, tab);
  });
  ReadHidCard(b.dev, tab);
  EXPECT_EQ(b.link.written.size(), 1u);
  EXPECT_EQ(b.host.list, Strings{"1,2"});
}

}  // namespace
}  // namespace vx::test
