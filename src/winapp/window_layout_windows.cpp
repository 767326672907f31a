#include "winapp/window_layout_windows.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/utf16_text.h"
#include "window/window_core.h"
#include "winapp/control_ids_windows.h"

namespace vx::win {

namespace {

constexpr int kMargin = 8;
// The narrowest client area ever laid out.
constexpr int kNarrowest = 760;
constexpr int kTabHeight = 190;
// Two lines of the banner's large text: a batch's last words are long.
constexpr int kBannerHeight = 76;
constexpr int kListLeast = 32;  // what the list keeps when the banner grows
constexpr int kComboHeight = 24;  // shut; its list drops below

// What a control needs around its text: a button's edges and focus frame,
// a check box's square and the gap after it, a frame's caption inset.
constexpr int kButtonAround = 12;
constexpr int kButtonAbove = 6;
constexpr int kCheckBoxAround = 20;
constexpr int kGroupCaptionAround = 16;

std::wstring W(const std::string& text) { return Wide(text); }

bool IsCheckBox(int id) {
  return id == kUseDatabaseId || id == kKeepRecordId || id == kSoundId || id == kCheckCardFirstId ||
         id == kSharedRecordId || id == kCheckPrintedNumberId;
}

const TabSpec* TabOfControl(int id) {
  for (const TabSpec& tab : kTabs) {
    if (id == kFacilityFrameBase + tab.position || id == kCardFrameBase + tab.position ||
        id == TextId(tab.fcBox) || id == TextId(tab.cnBox) || id == LabelId(tab.fcLabel) ||
        id == LabelId(tab.cnLabel) || id == CommandId(tab.readButton) || id == CommandId(tab.writeButton) ||
        id == FormatNoteId(tab.position))
      return &tab;
  }
  return nullptr;
}

ControlKind KindOfId(int id) {
  if (id == kComPortFrameId || id == kSystemFrameId || id == kFrame9Id ||
      (id >= kFacilityFrameBase && id < kCardFrameBase + kTabCount))
    return ControlKind::GroupBox;
  if (IsCheckBox(id)) return ControlKind::CheckBox;
  if (id == kSSTab1Id) return ControlKind::TabStrip;
  if (id == kCombo1Id || id == kList1Id || (id > TextId(0) && id < LabelId(0))) return ControlKind::Field;
  if (id == kSharedRecordLineId || id == kRecordPathId || id == kBatchProgressId) return ControlKind::ShortenedText;
  if (id > CommandId(0) && id < TextId(0)) return ControlKind::PushButton;
  return ControlKind::Text;
}

}  // namespace

std::optional<Control> ControlOfId(int id) {
  switch (id) {
    case kComPortFrameId: return Control::ComPort;
    case kSystemFrameId: return Control::System;
    case CommandId(kClearButton): return Control::Clear;
    case CommandId(kLinkButton): return Control::Link;
    case kUseDatabaseId: return Control::UseDatabase;
    case kSoundId: return Control::Sound;
    case kKeepRecordId: return Control::KeepRecord;
    case kCheckCardFirstId: return Control::CheckCardFirst;
    case kSharedRecordId: return Control::SharedRecord;
    case kCheckPrintedNumberId: return Control::CheckPrintedNumber;
    case kPrintedOffsetCaptionId: return Control::PrintedOffset;
    case kFrame9Id: return Control::DatabasePath;
    case CommandId(kBrowseButton): return Control::Browse;
    case CommandId(kExportButton): return Control::Export;
    case CommandId(kReportButton): return Control::Report;
    case CommandId(kIdentifyButton): return Control::IdentifyCard;
    default: break;
  }
  if (const TabSpec* tab = TabOfControl(id)) {
    if (id == kFacilityFrameBase + tab->position) return Control::FacilityCode;
    if (id == kCardFrameBase + tab->position) return Control::CardNumber;
    if (id == CommandId(tab->readButton)) return Control::ReadCard;
    if (id == CommandId(tab->writeButton)) return Control::WriteCard;
  }
  return std::nullopt;
}

std::wstring FixedCaption(int id) {
  const std::optional<Control> control = ControlOfId(id);
  return control ? W(CaptionOf(*control)) : std::wstring();
}

std::wstring ToolTip(int id) {
  const std::optional<Control> control = ControlOfId(id);
  return control ? W(ToolTipOf(*control)) : std::wstring();
}

FontRole FontRoleOf(int id) {
  if (id == kResultBannerId) return FontRole::Banner;
  if (id >= FormatNoteId(0) && id < FormatNoteId(kTabCount)) return FontRole::Note;
  return FontRole::Normal;
}

SIZE NeededSize(ControlKind kind, FontRole role, const std::wstring& text, int width, const MeasureText& measure) {
  if (text.empty()) return {0, 0};
  switch (kind) {
    case ControlKind::PushButton: {
      const SIZE size = measure(role, text, 0);
      return {size.cx + kButtonAround, size.cy + kButtonAbove};
    }
    case ControlKind::CheckBox: {
      const SIZE size = measure(role, text, 0);
      return {size.cx + kCheckBoxAround, size.cy};
    }
    case ControlKind::GroupBox:
      // Only the caption's width: the frame is as high as what it holds.
      return {measure(role, text, 0).cx + kGroupCaptionAround, 0};
    case ControlKind::Text:
      return measure(role, text, width);
    case ControlKind::ShortenedText:
    case ControlKind::Field:
    case ControlKind::TabStrip:
      break;
  }
  return {0, 0};
}

int BannerHeight(const std::wstring& text, int width, const MeasureText& measure) {
  return std::max(kBannerHeight, static_cast<int>(NeededSize(ControlKind::Text, FontRole::Banner, text, width, measure).cy));
}

WindowLayout LayOutWindow(const LayoutInput& input) {
  WindowLayout layout;
  const auto needs = [&](int id) {
    return NeededSize(KindOfId(id), FontRoleOf(id), input.text(id), 0, input.measure).cx;
  };
  const auto widest = [&](int least, std::initializer_list<int> ids) {
    int width = least;
    for (int id : ids) width = std::max(width, static_cast<int>(needs(id)));
    return width;
  };
  const auto place = [&](int id, int x, int y, int width, int height, bool visible = true) {
    layout.controls.push_back({id, KindOfId(id), RECT{x, y, x + width, y + height}, visible});
  };

  // The top row, left to right: the port, the system's buttons, two columns of check boxes.
  const int portWidth = widest(340, {kComPortFrameId});
  place(kComPortFrameId, kMargin, 4, portWidth, 56);
  place(kCombo1Id, kMargin + 10, 24, 72, kComboHeight);
  place(kDeviceNoteId, kMargin + 92, 20, portWidth - 100, 36, input.deviceNote);
  const int systemLeft = kMargin + portWidth + 8;
  const int systemButton = widest(76, {CommandId(kClearButton), CommandId(kLinkButton)});
  const int systemWidth = std::max(widest(176, {kSystemFrameId}), 24 + 2 * systemButton);
  place(kSystemFrameId, systemLeft, 4, systemWidth, 56);
  place(CommandId(kClearButton), systemLeft + 10, 24, systemButton, 26);
  place(CommandId(kLinkButton), systemLeft + 14 + systemButton, 24, systemButton, 26);
  const int firstColumn = systemLeft + systemWidth + 12;
  const int firstWidth = widest(112, {kUseDatabaseId, kKeepRecordId});
  place(kUseDatabaseId, firstColumn, 12, firstWidth, 20);
  place(kKeepRecordId, firstColumn, 36, firstWidth, 20);
  const int sharedWidth = widest(124, {kSharedRecordId});
  place(kSharedRecordId, firstColumn, 60, sharedWidth, 20);
  // The second column has a box in the third row too: it starts after the first's widest.
  const int secondColumn = firstColumn + std::max(firstWidth, sharedWidth) + 4;
  const int secondWidth = widest(124, {kSoundId, kCheckCardFirstId});
  place(kSoundId, secondColumn, 12, secondWidth, 20);
  place(kCheckCardFirstId, secondColumn, 36, secondWidth, 20);
  // "Check Printed Number" under "Check Card First", its offset box beside it.
  const int printedWidth = widest(124, {kCheckPrintedNumberId});
  place(kCheckPrintedNumberId, secondColumn, 60, printedWidth, 20);
  const int offsetCaptionLeft = secondColumn + printedWidth + 6;
  const int offsetCaptionWidth = widest(40, {kPrintedOffsetCaptionId});
  place(kPrintedOffsetCaptionId, offsetCaptionLeft, 62, offsetCaptionWidth, 18);
  const int offsetBoxLeft = offsetCaptionLeft + offsetCaptionWidth + 4;
  constexpr int kOffsetBoxWidth = 84;
  place(TextId(kPrintedOffsetBox), offsetBoxLeft, 58, kOffsetBoxWidth, 22);
  int needed = std::max({kNarrowest, secondColumn + secondWidth, firstColumn + sharedWidth,
                         offsetBoxLeft + kOffsetBoxWidth + kMargin});

  // A tab's page, from the left: the two frames with their boxes, the range
  // labels, the buttons at the right edge.
  const int frameWidth = widest(230, {kFacilityFrameBase, kCardFrameBase});
  const int pageButton = widest(136, {CommandId(kTabs[0].readButton), CommandId(kTabs[0].writeButton)});
  const int labelLeft = 12 + frameWidth + 14;
  std::array<int, kTabCount> labelWidths{};
  // The page is narrower than the strip by the strip's edges.
  const RECT sample = input.page(RECT{0, 0, 1000, kTabHeight});
  const int stripEdges = 1000 - (sample.right - sample.left);
  for (const TabSpec& tab : kTabs) {
    labelWidths[static_cast<std::size_t>(tab.position)] =
        widest(260, {LabelId(tab.fcLabel), LabelId(tab.cnLabel)});
    const int pageNeeded = labelLeft + labelWidths[static_cast<std::size_t>(tab.position)] + 10 + pageButton + 14;
    needed = std::max(needed, pageNeeded + stripEdges + 2 * kMargin);
  }
  layout.neededWidth = needed;

  const int width = std::max(static_cast<int>(input.client.cx), needed);
  const int height = static_cast<int>(input.client.cy);
  const int inner = width - 2 * kMargin;

  int y = 84;
  place(kSharedRecordLineId, kMargin, y, inner, 18, input.sharedRecordLine);
  if (input.sharedRecordLine) y += 22;
  place(kRecordPathId, kMargin, y, inner, 18, input.recordPath);
  if (input.recordPath) y += 22;
  const bool database = input.databaseFrame;
  // Browse, Export… and Report… in a row at the frame's right, each as wide as its words.
  const int browseWidth = widest(100, {CommandId(kBrowseButton)});
  const int exportWidth = widest(100, {CommandId(kExportButton)});
  const int reportWidth = widest(100, {CommandId(kReportButton)});
  const int reportLeft = kMargin + inner - 10 - reportWidth;
  const int exportLeft = reportLeft - 6 - exportWidth;
  const int browseLeft = exportLeft - 6 - browseWidth;
  place(kFrame9Id, kMargin, y, inner, 72, database);
  place(TextId(2), kMargin + 10, y + 20, browseLeft - kMargin - 20, 24, database);
  place(CommandId(kBrowseButton), browseLeft, y + 19, browseWidth, 26, database);
  place(CommandId(kExportButton), exportLeft, y + 19, exportWidth, 26, database);
  place(CommandId(kReportButton), reportLeft, y + 19, reportWidth, 26, database);
  place(kBatchProgressId, kMargin + 10, y + 48, inner - 20, 18, database);
  if (database) y += 78;
  // A longer banner takes its room from the list, never from the tab's boxes;
  // the window grows (neededHeight) when the list is at its least.
  const int identifyWidth = widest(132, {CommandId(kIdentifyButton)});
  const int bannerWidth = inner - identifyWidth - 8;
  const int bannerHeight = BannerHeight(input.text(kResultBannerId), bannerWidth, input.measure);
  const int highestTabTop = y + kListLeast + 12 + bannerHeight;
  const int tabTop = std::max(height - kMargin - kTabHeight, highestTabTop);
  layout.neededHeight = highestTabTop + kTabHeight + kMargin;
  const int bannerTop = tabTop - 6 - bannerHeight;
  place(kList1Id, kMargin, y, inner, bannerTop - 6 - y);
  place(kResultBannerId, kMargin, bannerTop, bannerWidth, bannerHeight);
  place(CommandId(kIdentifyButton), kMargin + inner - identifyWidth, bannerTop + (bannerHeight - 32) / 2,
        identifyWidth, 32);
  place(kSSTab1Id, kMargin, tabTop, inner, kTabHeight);

  // The area under the strip's captions, wherever they wrap.
  const RECT page = input.page(RECT{kMargin, tabTop, kMargin + inner, tabTop + kTabHeight});
  const int pageWidth = page.right - page.left;
  for (const TabSpec& tab : kTabs) {
    const bool front = tab.position == input.frontTab;
    const auto onPage = [&](int id, int x, int top, int w, int h, bool visible = true) {
      place(id, page.left + x, page.top + top, w, h, front && visible);
    };
    onPage(kFacilityFrameBase + tab.position, 12, 4, frameWidth, 54);
    onPage(TextId(tab.fcBox), 22, 24, frameWidth - 20, 24);
    onPage(LabelId(tab.fcLabel), labelLeft, 28, labelWidths[static_cast<std::size_t>(tab.position)], 20);
    onPage(CommandId(tab.readButton), pageWidth - 14 - pageButton, 14, pageButton, 32);
    onPage(kCardFrameBase + tab.position, 12, 62, frameWidth, 54);
    onPage(TextId(tab.cnBox), 22, 82, frameWidth - 20, 24);
    onPage(LabelId(tab.cnLabel), labelLeft, 86, labelWidths[static_cast<std::size_t>(tab.position)], 20);
    onPage(CommandId(tab.writeButton), pageWidth - 14 - pageButton, 74, pageButton, 32);
    // One line, or as many as the note's words take, down to the page's foot.
    const int noteId = FormatNoteId(tab.position);
    const int noteWidth = pageWidth - 24;
    const SIZE noteNeeds = NeededSize(ControlKind::Text, FontRole::Note, input.text(noteId), noteWidth, input.measure);
    const int noteHeight =
        std::clamp(static_cast<int>(noteNeeds.cy), 20, std::max(20, static_cast<int>(page.bottom - page.top) - 122));
    onPage(noteId, 12, 122, noteWidth, noteHeight, input.formatNotes[static_cast<std::size_t>(tab.position)]);
  }
  return layout;
}

std::vector<std::string> LayoutFaults(const std::vector<ShownControl>& shown, SIZE client,
                                      const MeasureText& measure) {
  std::vector<std::string> faults;
  const auto name = [](const ShownControl& control) {
    std::string text = "control " + std::to_string(control.id);
    if (!control.text.empty()) text += " \"" + Utf8(control.text) + "\"";
    return text;
  };
  const auto span = [](const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
  };
  for (const ShownControl& control : shown) {
    const int width = control.rect.right - control.rect.left;
    const int height = control.rect.bottom - control.rect.top;
    const SIZE need = NeededSize(control.kind, FontRoleOf(control.id), control.text, width, measure);
    if (need.cx > width || need.cy > height)
      faults.push_back(name(control) + " needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) +
                       ", has " + std::to_string(width) + "x" + std::to_string(height));
    if (control.rect.left < 0 || control.rect.top < 0 || control.rect.right > client.cx ||
        control.rect.bottom > client.cy)
      faults.push_back(name(control) + " at " + span(control.rect) + " reaches out of the client area " +
                       std::to_string(client.cx) + "x" + std::to_string(client.cy));
  }
  const auto holds = [](const ShownControl& outer, const ShownControl& inner) {
    const bool container = outer.kind == ControlKind::GroupBox || outer.kind == ControlKind::TabStrip;
    return container && inner.rect.left >= outer.rect.left && inner.rect.right <= outer.rect.right &&
           inner.rect.top >= outer.rect.top && inner.rect.bottom <= outer.rect.bottom;
  };
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const ShownControl& a = shown[i];
      const ShownControl& b = shown[j];
      RECT common{};
      if (!IntersectRect(&common, &a.rect, &b.rect) || holds(a, b) || holds(b, a)) continue;
      faults.push_back(name(a) + " at " + span(a.rect) + " overlaps " + name(b) + " at " + span(b.rect));
    }
  }
  return faults;
}

ControlKind KindOf(const std::wstring& windowClass, DWORD style) {
  const auto is = [&](const wchar_t* name) { return lstrcmpiW(windowClass.c_str(), name) == 0; };
  if (is(L"Button")) {
    switch (style & BS_TYPEMASK) {
      case BS_GROUPBOX: return ControlKind::GroupBox;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: return ControlKind::CheckBox;
      default: return ControlKind::PushButton;
    }
  }
  if (is(L"Static")) {
    const DWORD ellipsis = style & SS_ELLIPSISMASK;
    return ellipsis ? ControlKind::ShortenedText : ControlKind::Text;
  }
  if (is(WC_TABCONTROLW)) return ControlKind::TabStrip;
  return ControlKind::Field;
}

}  // namespace vx::win
