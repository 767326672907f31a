#include "winapp/window_layout_windows.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "operations/missing_format.h"
#include "operations/range_captions.h"
#include "platform/utf16_text.h"
#include "window/window_core.h"
#include "formats/format_table.h"
#include "i18n/embedded_catalogues.h"
#include "i18n/use_language.h"
#include "sim/device_note.h"
#include "winapp/control_ids_windows.h"
#include "winapp/window_fonts_windows.h"

namespace vx::win {
namespace {

// The client area of a window of `width` x `height` with the main window's frame.
SIZE ClientOf(int width, int height) {
  RECT edges{0, 0, 0, 0};
  AdjustWindowRectEx(&edges, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT);
  return {width - (edges.right - edges.left), height - (edges.bottom - edges.top)};
}

// A format row whose ranges are the widest HID.cfg can give.
FormatRow WidestRow() {
  FormatRow row;
  row.FcMax = 65535;
  row.CnMax = 4294967295.0;
  return row;
}

// What each control shows in the language in use: the window's own captions,
// the range labels as the table of tabs or HID.cfg's widest ranges make
// them, the first banner, the notes; lines the window shortens by design
// hold something, so that their places are judged too.
std::map<int, std::wstring> TextsShown(bool rangesFromFile, const std::string& banner) {
  std::map<int, std::wstring> texts;
  const auto add = [&](int id, const std::string& text) { texts[id] = Wide(text); };
  for (int id = 1; id < 6100; ++id)
    if (std::wstring caption = FixedCaption(id); !caption.empty()) texts[id] = caption;
  for (const TabSpec& tab : kTabs) {
    add(LabelId(tab.fcLabel), rangesFromFile ? FcRangeCaption(WidestRow()) : std::string(tab.fcLabelCaption));
    add(LabelId(tab.cnLabel), rangesFromFile ? CnRangeCaption(WidestRow()) : std::string(tab.cnLabelCaption));
    add(FormatNoteId(tab.position), "\u26A0 " + MissingFormatText(tab, kFormatFileName) + ".");
  }
  add(kResultBannerId, banner.empty() ? FirstBanner().text : banner);
  add(kDeviceNoteId, sim::SimulatedDeviceNote({}));
  add(kSharedRecordLineId, "Shared record: cards on db1, station DESK-2");
  add(kRecordPathId, "C:\\Users\\operator\\Documents\\cards-2024-05-01.csv");
  add(kBatchProgressId, "All 3 cards written");
  return texts;
}

struct Situation {
  const char* name;
  bool everythingShown;  // the optional lines and frames, and every tab's format note
  bool rangesFromFile;
  int windowHeight;
  std::string banner;  // empty: the first banner
};

// A driver's reason runs the banner onto four lines.
const std::string kServerReason =
    "\u2718 The shared record cannot be reached: db1: connection to server at \"db1\" (10.0.0.7), port 5432 failed: "
    "Connection refused Is the server running on that host and accepting TCP/IP connections?. Nothing was written.";

TEST(WindowLayoutWindowsTest, EveryLanguagesTextsFitTheirControlsAndNoControlCoversAnother) {
  std::vector<std::string> languages = {"en"};
  for (const EmbeddedCatalogue& catalogue : EmbeddedCatalogues()) languages.emplace_back(catalogue.language);
  // Each at the narrowest width the layout allows, where a cut caption shows first.
  const Situation situations[] = {
      {"at start, everything shown", true, false, kStartHeight, ""},
      {"at start, ranges from HID.cfg", true, true, kStartHeight, ""},
      {"at the least height, nothing optional shown", false, false, kMinHeight, ""},
      {"at the least height, everything shown, a server's reason", true, false, kMinHeight, kServerReason},
  };
  const WindowFonts fonts(96);
  const MeasureText measure = MeasureIn(fonts);
  for (const std::string& language : languages) {
    ASSERT_EQ(UseLanguage(language), language);
    for (const Situation& situation : situations) {
      const std::map<int, std::wstring> texts = TextsShown(situation.rangesFromFile, situation.banner);
      for (const TabSpec& tab : kTabs) {
        SCOPED_TRACE(language + ", " + situation.name + ", tab " + std::string(tab.caption));
        LayoutInput input;
        input.deviceNote = input.sharedRecordLine = input.recordPath = input.databaseFrame = situation.everythingShown;
        input.formatNotes.fill(situation.everythingShown);
        input.frontTab = tab.position;
        input.text = [&](int id) {
          const auto it = texts.find(id);
          return it == texts.end() ? std::wstring() : it->second;
        };
        input.measure = measure;
        // The strip's edges and one row of captions, as the tab control has them.
        input.page = [](const RECT& strip) {
          return RECT{strip.left + 4, strip.top + 24, strip.right - 4, strip.bottom - 4};
        };
        input.client = ClientOf(kMinWidth, situation.windowHeight);
        const WindowLayout first = LayOutWindow(input);  // the window grows to what it needs
        input.client.cx = std::max(input.client.cx, static_cast<LONG>(first.neededWidth));
        input.client.cy = std::max(input.client.cy, static_cast<LONG>(first.neededHeight));
        const WindowLayout layout = LayOutWindow(input);

        std::vector<ShownControl> shown;
        for (const PlacedControl& placed : layout.controls)
          if (placed.visible) shown.push_back({placed.id, placed.kind, placed.rect, input.text(placed.id)});
        for (const std::string& fault : LayoutFaults(shown, input.client, measure)) ADD_FAILURE() << fault;
      }
    }
  }
  UseLanguage("en");
}

}  // namespace
}  // namespace vx::win
