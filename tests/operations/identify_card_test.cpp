// Identify Card through the window core: the button or F4, every format the
// file defines read in tab order then EM4100, and what the operator is told.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "carddata/card_data.h"
#include "operations/tabs.h"
#include "window/window_core.h"
#include "platform/text_file.h"
#include "operations/identify_card.h"
#include "record/record_file.h"
#include "record/record_line.h"
#include "support/card_device.h"
#include "support/fake_host.h"
#include "support/fake_link.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kAllFormats =
    "HID26 WW=08 XX=16 YY=02 ZZ=10\nHID32 WW=14 XX=16 YY=03 ZZ=11\nHID34 WW=16 XX=16 YY=04 ZZ=12\n"
    "HID35 WW=13 XX=20 YY=05 ZZ=13\nHID36 WW=15 XX=19 YY=06 ZZ=14\nHID37 WW=16 XX=19 YY=07 ZZ=15\n"
    "HID40 WW=16 XX=22 YY=08 ZZ=16\nHID24 WW=06 XX=16 YY=09 ZZ=17\n";
const Strings kAllReads{"HID26", "HID32", "HID34", "HID35", "HID36", "HID37", "HID40", "HID24", "EM4100"};
constexpr const char* kNone = "\u2718 No format reads this card: no card on the reader, or a format HID.cfg does not define";

// A window core over the fake window, a reader/writer with a card in its
// field, and a record kept.
struct IdentifyBench {
  FormState unused;
  FakeLink link;
  FakeHost view{unused, link};
  WindowCore core{view, link};
  CardInFieldDevice device;
  TempFile file;
  std::string record = file.dir() + "/cards.csv";

  explicit IdentifyBench(const std::string& formats) : file(formats, "HID.cfg") {
    view.Rebind(core.State());
    core.listPorts = [] { return std::vector<SerialPortInfo>{}; };
    device.Attach(link);
    EXPECT_FALSE(core.Startup(file.path()));
    EXPECT_EQ(StartRecord(record), std::nullopt);
    core.State().recordPath = record;
  }
  // The format each read frame asked for, by its layout numbers.
  Strings Reads() {
    Strings reads;
    for (const Bytes& frame : link.written) {
      if (frame[2] != 0xA4) continue;
      const FormatParams sent{frame[6], frame[7], frame[8], frame[9]};
      std::string name = sent.p1 == 0 && sent.p2 == 0 ? "EM4100" : "?";
      for (const TabSpec& tab : kTabs) {
        if (tab.kind != TabKind::Hid || !HasFormatRow(core.State().formats, tab.formatName)) continue;
        const FormatParams p = FormatParamsOf(FindFormatRowOf(core.State().formats, tab.formatName));
        if (p.p1 == sent.p1 && p.p2 == sent.p2 && p.p3 == sent.p3 && p.p4 == sent.p4) name = tab.formatName;
      }
      reads.push_back(name);
    }
    return reads;
  }
  // "tab|format|fc_bits|fc,cn outcome" of every record line.
  Strings RecordLines() {
    Strings lines;
    for (const RecordLine& l : ParseRecordText(ReadWholeFile(record).value_or("")))
      lines.push_back(l.tab + "|" + l.format + "|" + std::to_string(l.fcBits) + "|" + l.readFacilityCode + "," +
                      l.readCardNumber + " " + l.outcome);
    return lines;
  }
};

enum class Press { Button, F4 };

struct Case {
  std::string name;
  std::string formats;
  std::function<void(IdentifyBench&)> setup;
  Press press;
  int startTab;
  Strings reads;        // the formats read, in order
  int frontTab;         // afterwards
  std::string boxes;    // the front tab's boxes afterwards, "fc/cn"
  Strings lines;        // List1
  std::string banner;   // the last banner; empty: none after the progress
  Strings record;
  long maxTicks = 1000;
  int closeWindowCalls = 0;
};

CardInFieldDevice::Data DataOf(const CardData& d) { return {d[0], d[1], d[2], d[3], d[4]}; }

// The card coded in one tab's layout alone, 5,77 (EM4100: 12,3456789012).
Case OneTabCase(const TabSpec& tab) {
  const bool em = tab.kind == TabKind::Em4100;
  const std::string numbers = em ? "12,3456789012" : "5,77";
  const std::string shown = em ? "12,3456789012 (ID 0CCE0A6A14)" : "5,77";
  const std::string format = em ? "EM4100" : std::string(tab.formatName);
  const std::map<std::string, int> fcBits{{"HID26", 8},  {"HID32", 14}, {"HID34", 16}, {"HID35", 13}, {"HID36", 15},
                                           {"HID37", 16}, {"HID40", 16}, {"HID24", 6},  {"EM4100", 0}};
  return {"alone: " + std::string(tab.caption), kAllFormats,
          [&tab, em](IdentifyBench& b) {
            b.device.card = DataOf(em ? EncodeEm4100CardData(12, 3456789012u) : EncodeHidCardData(5, 77));
            b.device.codedIn = em ? FormatParams{}
                                  : FormatParamsOf(FindFormatRowOf(b.core.State().formats, tab.formatName));
          },
          Press::Button, (tab.position + 1) % kTabCount, kAllReads, tab.position,
          em ? "12/3456789012" : "5/77", {format + ": " + shown},
          "\u25CF " + std::string(tab.caption) + ": " + shown,
          {std::string(tab.caption) + "|" + format + "|" + std::to_string(fcBits.at(format)) + "|" + numbers + " read"}};
}

TEST(IdentifyCard, EveryFormatThatReadsTheCardAndNeverAGuess) {
  std::vector<Case> cases;
  for (const TabSpec& tab : kTabs) cases.push_back(OneTabCase(tab));
  const FormatParams hid34{16, 16, 4, 12};
  cases.push_back({"two formats, a device that ignores the layout",
                   "HID34 WW=16 XX=16 YY=04 ZZ=12\nHID35 WW=13 XX=20 YY=05 ZZ=13\n",
                   [&](IdentifyBench& b) {
                     b.device.card = DataOf(EncodeHidCardData(5, 77));
                     b.device.codedIn = hid34;
                     b.device.anyHidLayout = true;
                   },
                   Press::F4, 0, {"HID34", "HID35", "EM4100"}, 0, "1/1", {"HID34: 5,77", "HID35: 5,77"},
                   "\u25CF Reads as 2 formats: HID34 5,77 or HID35 5,77. Ask which format the site uses",
                   {"HID WG34|HID34|16|5,77 read", "HID WG35|HID35|13|5,77 read"}});
  cases.push_back({"none: a silent device, nine time-outs", kAllFormats, [](IdentifyBench&) {}, Press::F4, 8,
                   kAllReads, 8, "1/1", {},
                   std::string(kNone) + ". No read was answered: no card, or no reader/writer on the port", {}, 460});
  cases.push_back({"none: every read refused", kAllFormats,
                   [](IdentifyBench& b) {
                     b.device.card = DataOf(EncodeHidCardData(5, 77));
                     b.device.codedIn = FormatParams{9, 9, 9, 9};
                   },
                   Press::Button, 8, kAllReads, 8, "1/1", {},
                   std::string(kNone) + ". Every read was answered and refused: a card of another kind", {}});
  cases.push_back({"a format missing from HID.cfg is not read",
                   "HID26 WW=08 XX=16 YY=02 ZZ=10\nHID32 WW=14 XX=16 YY=03 ZZ=11\nHID34 WW=16 XX=16 YY=04 ZZ=12\n"
                   "HID35 WW=13 XX=20 YY=05 ZZ=13\nHID36 WW=15 XX=19 YY=06 ZZ=14\nHID37 WW=16 XX=19 YY=07 ZZ=15\n"
                   "HID24 WW=06 XX=16 YY=09 ZZ=17\n",
                   [](IdentifyBench& b) {
                     b.device.card = DataOf(EncodeHidCardData(5, 77));
                     b.device.codedIn = FormatParams{16, 22, 8, 16};  // HID40's layout
                   },
                   Press::Button, 8, {"HID26", "HID32", "HID34", "HID35", "HID36", "HID37", "HID24", "EM4100"}, 8,
                   "1/1", {}, std::string(kNone) + ". Every read was answered and refused: a card of another kind",
                   {}});
  // The third read is in hand when the window is closed: nothing is read after it.
  cases.push_back({"the window closing mid-run", kAllFormats,
                   [](IdentifyBench& b) {
                     b.view.AtTick(120, [&b] {
                       EXPECT_FALSE(b.core.CloseRequested());
                       b.view.closing = b.core.Closing();
                     });
                   },
                   Press::Button, 8, {"HID26", "HID32", "HID34"}, 8, "1/1", {}, "", {}, 121, 1});
  // While the run waits on a silent device, F4, the button and a Read Card do nothing.
  cases.push_back({"BusyFlag held", kAllFormats,
                   [](IdentifyBench& b) {
                     b.view.AtTick(3, [&b] {
                       b.core.FunctionKey(4);
                       b.core.ButtonClicked(kIdentifyButton);
                       b.core.FunctionKey(3);
                     });
                   },
                   Press::F4, 8, kAllReads, 8, "1/1", {},
                   std::string(kNone) + ". No read was answered: no card, or no reader/writer on the port", {}});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IdentifyBench b(c.formats);
    b.view.frontTab = c.startTab;
    c.setup(b);
    b.view.banners.clear();  // start-up's
    const long ticksBefore = b.view.ticks();
    if (c.press == Press::F4)
      b.core.FunctionKey(4);
    else
      b.core.ButtonClicked(kIdentifyButton);

    EXPECT_EQ(b.Reads(), c.reads);
    EXPECT_EQ(b.link.written.size(), c.reads.size());
    EXPECT_EQ(b.link.openCount, 1);
    EXPECT_FALSE(b.link.IsOpen());
    EXPECT_FALSE(b.core.State().BusyFlag);
    EXPECT_EQ(b.view.frontTab, c.frontTab);
    const TabSpec& front = *TabAt(c.frontTab);
    EXPECT_EQ(b.view.BoxText(front.fcBox) + "/" + b.view.BoxText(front.cnBox), c.boxes);
    EXPECT_EQ(b.view.list, c.lines);
    // Every read says which format it is on; the last banner is the answer.
    Strings progress;
    std::string last;
    for (const ResultBanner& banner : b.view.banners)
      (banner.tone == BannerTone::Working ? progress.emplace_back() : last) = banner.text;
    Strings expected;
    for (std::size_t i = 0; i < c.reads.size(); ++i) {
      const TabSpec& tab = c.reads[i] == "EM4100" ? kTabs[7] : *TabOfFormat(c.reads[i]);
      expected.push_back("Identifying: " + std::string(tab.caption) + ", " + std::to_string(i + 1) + " of " +
                         std::to_string(c.formats == kAllFormats ? 9 : c.reads.size()));
    }
    EXPECT_EQ(progress, expected);
    EXPECT_EQ(last, c.banner);
    EXPECT_EQ(b.RecordLines(), c.record);
    EXPECT_LE(b.view.ticks() - ticksBefore, c.maxTicks);
    EXPECT_EQ(b.view.closeWindowCalls, c.closeWindowCalls);
    // The current texts stay as typed: the next Write Card sends what it would have.
    EXPECT_EQ(b.core.State().Em4100CnText, "1");
    EXPECT_EQ(FindFormatRowOf(b.core.State().formats, "HID34").CnText, "1");
  }
  // The figure the progress line shows halfway through nine formats.
  EXPECT_EQ(IdentifyProgressText(kTabs[4], 5, 9), "Identifying: HID WG36, 5 of 9");
}

}  // namespace
}  // namespace vx::test
