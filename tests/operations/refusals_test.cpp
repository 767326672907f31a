// Presses that must send nothing: a tab whose format the format file lacks, and
// any device button whose port opening meets a closing window.
#include <gtest/gtest.h>

#include <functional>

#include "operations/missing_format.h"
#include "operations/em4100_operations.h"
#include "operations/card_operations.h"
#include "operations/operation_bench.h"

namespace vx::test {
namespace {

using Operation = std::function<void(Device&)>;

struct Button {
  const char* name;
  Operation press;
};

// Without its format a tab would write row 0's layout and pass its own
// read-back: it refuses instead, and says which format and which file.
TEST(MissingFormat, WriteAndReadRefuseAndSendNothing) {
  const Button buttons[] = {
      {"Write Card", [](Device& d) { WriteHidCard(d, Tab("HID24")); }},
      {"Read Card", [](Device& d) { ReadHidCard(d, Tab("HID24")); }},
  };
  for (const Button& button : buttons) {
    for (const bool busy : {false, true}) {
      SCOPED_TRACE(std::string(button.name) + (busy ? ", busy" : ""));
      Bench b;
      b.state.formats.rows[7].FormatName = "HID99";  // the file's only 24-bit candidate is gone
      b.state.BusyFlag = busy;
      button.press(b.dev);
      EXPECT_TRUE(b.link.opened.empty());
      EXPECT_TRUE(b.link.written.empty());
      EXPECT_TRUE(b.host.list.empty());
      EXPECT_EQ(b.state.BusyFlag, busy);
      if (busy) {
        EXPECT_TRUE(b.host.messages.empty());
        continue;
      }
      ASSERT_EQ(b.host.messages.size(), 1u);
      for (const char* part : {"HID24", "HID.cfg", "\"HID WG24\"", "Nothing was sent"})
        EXPECT_NE(b.host.messages[0].find(part), std::string::npos) << b.host.messages[0];
    }
  }
}

TEST(MissingFormat, OnlyHidTabsWithoutTheirFormatAreListed) {
  Bench b;
  EXPECT_TRUE(TabsLackingFormat(b.state.formats).empty());
  b.state.formats.rows[0].FormatName = "HID2";  // "HID26" is gone
  b.state.formats.rows[7].FormatName = "Hid24";  // mixed case names no format
  std::vector<std::string> lacking;
  for (const TabSpec* tab : TabsLackingFormat(b.state.formats)) lacking.emplace_back(tab->formatName);
  EXPECT_EQ(lacking, (std::vector<std::string>{"HID26", "HID24"}));
  EXPECT_TRUE(TabsLackingFormat(b.state.formats).size() < kTabs.size());  // never the EM4100 tab
  b.state.formats.FormatCount = 0;
  EXPECT_EQ(TabsLackingFormat(b.state.formats).size(), kTabs.size() - 1);
}

// A host whose window starts closing while the port is being opened.
class ClosingWhileOpeningHost : public FakeHost {
 public:
  using FakeHost::FakeHost;
  void ProcessEventsOnce() override {
    FakeHost::ProcessEventsOnce();
    closing = true;
  }
};

TEST(ClosingWindow, NoFrameAfterACloseDuringThePortOpening) {
  const Button buttons[] = {
      {"Link", [](Device& d) { Command12_Click(d); }},
      {"HID Write Card", [](Device& d) { WriteHidCard(d, Tab("HID26")); }},
      {"HID Read Card", [](Device& d) { ReadHidCard(d, Tab("HID26")); }},
      {"EM4100 Write Card", [](Device& d) { Command20_Click(d); }},
      {"EM4100 Read Card", [](Device& d) { Command21_Click(d); }},
  };
  for (const Button& button : buttons) {
    SCOPED_TRACE(button.name);
    Bench b;
    ClosingWhileOpeningHost host{b.state, b.link};
    Device dev{b.state, host, b.link};
    button.press(dev);
    EXPECT_EQ(b.link.opened.size(), 1u);
    EXPECT_TRUE(b.link.written.empty());
    EXPECT_FALSE(b.link.IsOpen());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.list.empty());
    EXPECT_FALSE(b.state.BusyFlag);
  }
}

}  // namespace
}  // namespace vx::test
