#include <gtest/gtest.h>

#include "core/tabs.h"
#include "core/window_core.h"
#include "device/frame.h"
#include "support/card_device.h"
#include "support/fake_host.h"
#include "support/fake_link.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

constexpr const char* kAllFormats =
    "HID26 WW=08 XX=16 YY=02 ZZ=10\nHID32 WW=14 XX=16 YY=03 ZZ=11\nHID34 WW=16 XX=16 YY=04 ZZ=12\n"
    "HID35 WW=13 XX=20 YY=05 ZZ=13\nHID36 WW=15 XX=19 YY=06 ZZ=14\nHID37 WW=16 XX=19 YY=07 ZZ=15\n"
    "HID40 WW=16 XX=22 YY=08 ZZ=16\nHID24 WW=06 XX=16 YY=09 ZZ=17\n";

// A window core over the fake window and a reader/writer with a card in its field.
struct CoreBench {
  FormState unused;
  FakeLink link;
  FakeHost view{unused, link};
  WindowCore core{view, link};
  CardInFieldDevice device;

  explicit CoreBench(const std::string& formats = kAllFormats) : file_(formats, "HID.cfg") {
    view.Rebind(core.State());
    core.listPorts = [] { return std::vector<SerialPortInfo>{}; };  // none beyond the numbered entries
    device.Attach(link);
    fault_ = core.Startup(file_.path());
  }
  bool Started() const { return !fault_; }
  // The operator closes the window; the fake window follows the core.
  bool Close() {
    const bool now = core.CloseRequested();
    view.closing = core.Closing();
    return now;
  }

 private:
  TempFile file_;
  std::optional<FormatFileError> fault_;
};

TEST(WindowCore, StartupFillsTheControls) {
  struct Case {
    const char* name;
    std::string formats;
    bool starts;
    std::vector<int> notedTabs;  // tabs whose format is missing
  };
  const Case cases[] = {
      {"every format", kAllFormats, true, {}},
      {"no HID24 nor HID40", "HID26 WW=08 XX=16 YY=02 ZZ=10\nHID32 WW=14 XX=16 YY=03 ZZ=11\n"
                             "HID34 WW=16 XX=16 YY=04 ZZ=12\nHID35 WW=13 XX=20 YY=05 ZZ=13\n"
                             "HID36 WW=15 XX=19 YY=06 ZZ=14\nHID37 WW=16 XX=19 YY=07 ZZ=15\n",
       true, {6, 8}},
      {"a fault in the file", "HID26 WW=x8\n", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CoreBench b(c.formats);
    ASSERT_EQ(b.Started(), c.starts);
    ASSERT_EQ(b.view.portEntries.size(), 16u);
    EXPECT_EQ(b.view.portEntries.front(), "1");
    EXPECT_EQ(b.view.portEntries.back(), "16");
    EXPECT_EQ(b.view.port.selectedIndex, 0);
    if (!c.starts) continue;
    std::vector<int> noted;
    for (const auto& [tab, text] : b.view.formatNotes) {
      noted.push_back(tab);
      EXPECT_EQ(text.rfind("\u26A0 HID.cfg has no HID", 0), 0u) << text;
    }
    EXPECT_EQ(noted, c.notedTabs);
    // The rebuilt range captions of the tabs whose format is there; the others keep their own.
    EXPECT_EQ(b.view.labels[1], "Facility Code:0-255");
    EXPECT_EQ(b.view.labels[2], "Card Number:1-65535");
    EXPECT_EQ(b.view.labels.count(15), c.notedTabs.empty() ? 1u : 0u);
    ASSERT_FALSE(b.view.banners.empty());
    EXPECT_EQ(b.view.banners.back(), FirstBanner());
    EXPECT_EQ(b.view.batchProgress, "No card list loaded");
  }
}

// Every tab's buttons and the keys F2 and F3 on the tab in front run that
// tab's handler: the frame that goes out is the tab's command in its layout.
TEST(WindowCore, ButtonsAndKeysRunTheirTabsHandlers) {
  for (const TabSpec& tab : kTabs) {
    for (const bool write : {true, false}) {
      for (const bool byKey : {false, true}) {
        SCOPED_TRACE(std::string(tab.caption) + (write ? " write" : " read") + (byKey ? " by key" : " by button"));
        CoreBench b;
        ASSERT_TRUE(b.Started());
        b.view.frontTab = tab.position;
        if (byKey)
          b.core.FunctionKey(write ? 2 : 3);
        else
          b.core.ButtonClicked(write ? tab.writeButton : tab.readButton);
        ASSERT_FALSE(b.link.written.empty());
        const Bytes& frame = b.link.written.front();
        EXPECT_EQ(frame[2], write ? 0xA5 : 0xA4);
        if (tab.kind == TabKind::Hid) {
          EXPECT_EQ(frame[6], FindFormatRowOf(b.core.State().formats, tab.formatName).FcBits);
        }
        EXPECT_FALSE(b.core.State().BusyFlag);
      }
    }
  }
}

TEST(WindowCore, SystemButtons) {
  CoreBench b;
  ASSERT_TRUE(b.Started());
  b.core.ButtonClicked(kLinkButton);
  ASSERT_EQ(b.link.written.size(), 1u);
  EXPECT_EQ(b.link.written[0], LinkCommand());
  EXPECT_FALSE(b.view.list.empty());
  b.core.ButtonClicked(kClearButton);
  EXPECT_TRUE(b.view.list.empty());

  TempFile cards("12,1000\n12,1001\n");
  b.view.chosenFile = cards.path();
  b.core.ButtonClicked(kBrowseButton);
  EXPECT_EQ(b.core.State().cards.CardCount, 2);
}

// Closing while idle closes at once; while a handler waits, the wait is cut
// short and the window closes once the handler has returned, never before.
TEST(WindowCore, ClosingDuringAWaitWaitsForTheHandler) {
  for (const bool duringWait : {false, true}) {
    SCOPED_TRACE(duringWait ? "during a wait" : "idle");
    CoreBench b;
    ASSERT_TRUE(b.Started());
    b.device.faultOf = [](int) { return CardFault::Silent; };
    if (!duringWait) {
      EXPECT_TRUE(b.Close());
      EXPECT_EQ(b.view.closeWindowCalls, 0);
      continue;
    }
    bool closedAtOnce = true;
    int callsDuringWait = -1;
    b.view.AtTick(5, [&] {
      closedAtOnce = b.Close();
      callsDuringWait = b.view.closeWindowCalls;
    });
    b.core.ButtonClicked(kTabs[kStartTab].writeButton);
    EXPECT_FALSE(closedAtOnce);
    EXPECT_EQ(callsDuringWait, 0);
    EXPECT_LT(b.view.ticks(), 10);
    EXPECT_EQ(b.view.closeWindowCalls, 1);
    EXPECT_FALSE(b.link.IsOpen());
  }
}

// However a check box changes, the program's state follows it, and the box
// shows the state the program is in.
TEST(WindowCore, KeepRecordShowsWhetherARecordIsKept) {
  TempFile folder("", "placeholder");
  struct Case {
    const char* name;
    std::optional<std::string> chosen;
    bool duringWait;
    bool kept;
  };
  const Case cases[] = {
      {"a record chosen", folder.dir() + "/cards.csv", false, true},
      {"the dialog cancelled", std::nullopt, false, false},
      {"ticked while a handler waits", folder.dir() + "/cards.csv", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CoreBench b;
    ASSERT_TRUE(b.Started());
    b.view.chosenRecord = c.chosen;
    if (c.duringWait) {
      b.device.faultOf = [](int) { return CardFault::Silent; };
      b.view.AtTick(3, [&] { b.core.CheckBoxChanged(CheckBox::KeepRecord, true); });
      b.core.ButtonClicked(kTabs[kStartTab].writeButton);
    } else {
      b.core.CheckBoxChanged(CheckBox::KeepRecord, true);
    }
    EXPECT_EQ(b.view.checkBoxes[CheckBox::KeepRecord], c.kept);
    EXPECT_EQ(!b.core.State().recordPath.empty(), c.kept);
  }
}

}  // namespace
}  // namespace vx::test
