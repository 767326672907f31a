#include <gtest/gtest.h>

#include "operations/em4100_operations.h"
#include "operations/operation_bench.h"

namespace vx::test {
namespace {

using Strings = std::vector<std::string>;

struct WorkedFrame {
  const char* fc;
  const char* cn;
  const char* nextCn;  // shown and sent next after the success
  Bytes frame;
};

// Typed numbers: the worked frames, the read-back, and the next card number up.
TEST(Em4100Write, WorkedFramesAndTypedSuccess) {
  const WorkedFrame cases[] = {
      {"1", "1", "2", {0x02, 0x01, 0xA5, 0x0B, 0, 0, 0, 0, 0, 0, 0x01, 0x00, 0x00, 0x00, 0x01, 0xAD, 0x03}},
      {"12", "3456789012", "3456789013",
       {0x02, 0x01, 0xA5, 0x0B, 0, 0, 0, 0, 0, 0, 0x0C, 0xCE, 0x0A, 0x6A, 0x14, 0x1B, 0x03}},
      {"255", "4294967295", "4294967296",
       {0x02, 0x01, 0xA5, 0x0B, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x52, 0x03}},
      {"0", "65536", "65537", {0x02, 0x01, 0xA5, 0x0B, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x01, 0x00, 0x00, 0xAC, 0x03}},
      {"0", "196608", "196609", {0x02, 0x01, 0xA5, 0x0B, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x03, 0x00, 0x00, 0xAE, 0x03}},
  };
  const Bytes readFrame{0x02, 0x01, 0xA4, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xAC, 0x03};
  for (const WorkedFrame& c : cases) {
    SCOPED_TRACE(std::string(c.fc) + "," + c.cn);
    Bench b;
    b.state.Em4100FcText = c.fc;
    b.state.Em4100CnText = c.cn;
    Command20_Click(b.dev);
    ASSERT_EQ(b.link.written.size(), 2u);
    EXPECT_EQ(b.link.written[0], c.frame);
    EXPECT_EQ(b.link.written[1], readFrame);
    EXPECT_EQ(b.host.list, (Strings{std::string(c.fc) + "," + c.cn, "Write AND Read Block Success"}));
    EXPECT_EQ(b.Boxes(Em4100Tab()), std::string(c.fc) + "/" + c.nextCn);
    EXPECT_EQ(b.state.Em4100FcText, c.fc);
    EXPECT_EQ(b.state.Em4100CnText, c.nextCn);
    EXPECT_EQ(b.state.formats.rows[0].CnText, "1");  // the HID formats' texts are not the EM4100 tab's
  }
}

// Two entries, three clicks.
TEST(Em4100Write, TwoEntryListThreeClicks) {
  Bench b;
  const TabSpec& tab = Em4100Tab();
  b.host.useDatabase = true;
  b.LoadCards({{12, 3456789012.0}, {13, 1}});
  b.host.onMessage = [&](const std::string&) {
    for (int i = 0; i < 6000; ++i) b.host.Tick();
  };

  Command20_Click(b.dev);
  EXPECT_EQ(b.Boxes(tab), "13/1");
  EXPECT_EQ(b.state.Em4100FcText, "13");
  EXPECT_TRUE(b.host.messages.empty());

  Command20_Click(b.dev);
  EXPECT_EQ(b.host.messages, Strings{" The Card is End!"});
  EXPECT_EQ(b.Boxes(tab), "13/1");

  const auto sent = b.link.written.size();
  Command20_Click(b.dev);
  EXPECT_EQ(b.link.written.size(), sent);
  EXPECT_EQ(b.host.messages, (Strings{" The Card is End!", " The Card is End!"}));
  EXPECT_EQ(b.host.list, (Strings{"12,3456789012", "Write AND Read Block Success", "13,1",
                                  "Write AND Read Block Success"}));
}

TEST(Em4100Read, RepliesAndWhatTheOperatorSees) {
  struct Case {
    const char* name;
    std::optional<Bytes> reply;
    std::string boxes;
    Strings lines;
  };
  const Case cases[] = {
      {"largest", Bytes{0x02, 0x01, 0x00, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x03}, "255/4294967295",
       {"255,4294967295"}},
      {"7 and 123456", Bytes{0x02, 0x01, 0x00, 0x05, 0x07, 0x00, 0x01, 0xE2, 0x40, 0x00, 0x03}, "7/123456",
       {"7,123456"}},
      {"zero", Bytes{0x02, 0x01, 0x00, 0x05, 0, 0, 0, 0, 0, 0x00, 0x03}, "0/0", {"0,0"}},
      {"status 01", Bytes{0x02, 0x01, 0x01, 0x05, 0, 0, 0, 0, 0, 0x00, 0x03}, "9/9", {}},
      {"silent", std::nullopt, "9/9", {"Read Card Data Fail"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bench b;
    const TabSpec& tab = Em4100Tab();
    b.host.SetBoxText(tab.fcBox, "9");
    b.host.SetBoxText(tab.cnBox, "9");
    b.state.Em4100FcText = "4";
    b.state.Em4100CnText = "44";
    b.link.SetDevice([&](const Bytes&, FakeLink& link) {
      if (c.reply) link.Reply(*c.reply);
    });
    b.host.list = {"earlier"};
    b.host.selectedLine = -1;
    Command21_Click(b.dev);
    ASSERT_EQ(b.link.written.size(), 1u);
    EXPECT_EQ(b.link.written[0], Bytes({0x02, 0x01, 0xA4, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xAC, 0x03}));
    EXPECT_EQ(b.Boxes(tab), c.boxes);
    Strings lines{"earlier"};
    lines.insert(lines.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(b.host.list, lines);
    // Every read that reached the device ends with the last line selected, a refused one too.
    EXPECT_EQ(b.host.selectedLine, static_cast<int>(lines.size()) - 1);
    EXPECT_EQ(b.state.Em4100FcText, "4");
    EXPECT_EQ(b.state.Em4100CnText, "44");
    EXPECT_FALSE(b.link.IsOpen());
    EXPECT_FALSE(b.state.BusyFlag);
  }
}

}  // namespace
}  // namespace vx::test
