#include "window/window_core.h"

#include <cctype>
#include <cstdio>

#include "operations/card_feed.h"
#include "operations/database.h"
#include "operations/export_files.h"
#include "operations/missing_format.h"
#include "operations/tabs.h"
#include "window/validators.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "operations/card_kinds.h"
#include "operations/range_captions.h"
#include "operations/identify_card.h"
#include "operations/printed_check.h"
#include "operations/write_guards.h"
#include "operations/record_control.h"
#include "i18n/ascii_case.h"

namespace vx {

namespace {

// The tab and role of Text<n>, or no tab for a box outside the tabs.
struct BoxOwner {
  const TabSpec* tab = nullptr;
  BoxRole role = BoxRole::FacilityCode;
};
BoxOwner OwnerOfBox(int box) {
  for (const TabSpec& tab : kTabs) {
    if (tab.fcBox == box) return {&tab, BoxRole::FacilityCode};
    if (tab.cnBox == box) return {&tab, BoxRole::CardNumber};
  }
  return {};
}

}  // namespace

WindowCore::WindowCore(WindowView& view, SerialLink& link) : view_(view), link_(link) {}

std::optional<FormatFileError> WindowCore::Startup(const std::string& formatFile) {
  view_.ShowPortEntries({PortEntries(listPorts()), 0, "1"});

  for (FormatRow& row : state_.formats.rows) row.FcText = row.CnText = "1";

  const FormatFileResult result = ReadFormatFile(formatFile);
  if (result.error) return result.error;
  ApplyFormatRows(result, state_.formats);
  // In file order, so a name listed twice shows the ranges of its last line.
  for (const FormatRow& row : result.rows) {
    if (!AppliesRangeCaptions(row.FormatName)) continue;
    const TabSpec* tab = TabOfFormat(AsciiUppered(row.FormatName));
    if (!tab) continue;
    view_.SetLabelCaption(tab->fcLabel, FcRangeCaption(row));
    view_.SetLabelCaption(tab->cnLabel, CnRangeCaption(row));
  }
  for (const TabSpec* tab : TabsLackingFormat(state_.formats))
    // TRANSLATORS: the note on a tab whose format HID.cfg lacks: %s is the
    // sentence "HID.cfg has no HID24 format line, so ...", then its full stop.
    view_.ShowFormatNote(tab->position,
                         "\u26A0 " + Format(TrCtx("format note", "%s."), MissingFormatText(*tab, kFormatFileName)));

  state_.Em4100FcText = "1";
  state_.Em4100CnText = "1";
  state_.BusyFlag = false;
  view_.ShowResult(FirstBanner());
  // The batch line says from the start that no card list is loaded yet.
  ReportBatchProgress(state_.cards, view_);
  return std::nullopt;
}

Device WindowCore::MakeDevice() {
  Device device{state_, view_, link_};
  device.listPorts = listPorts;
  return device;
}

template <typename Handler>
void WindowCore::Run(Handler&& handler) {
  handler();
  // Only the outermost handler lets the window go: one that merely found
  // BusyFlag set returns while the waiting one is still on the stack.
  if (closing_ && !state_.BusyFlag) view_.CloseWindow();
}

void WindowCore::ButtonClicked(int command) {
  if (command == kClearButton) {
    // Works during a wait too: it takes no BusyFlag.
    view_.ClearList();
    return;
  }
  if (command == kLinkButton) {
    Run([this] {
      Device dev = MakeDevice();
      Command12_Click(dev);
    });
    return;
  }
  if (command == kBrowseButton) {
    Run([this] { Command2_Click(state_, view_); });
    return;
  }
  if (command == kExportButton) {
    Run([this] { ExportFile_Click(state_, view_); });
    return;
  }
  if (command == kReportButton) {
    Run([this] { ReportFile_Click(state_, view_, reportLanguage); });
    return;
  }
  if (command == kIdentifyButton) {
    Run([this] {
      Device dev = MakeDevice();
      IdentifyCard(dev);
    });
    return;
  }
  for (const TabSpec& tab : kTabs) {
    const bool write = command == tab.writeButton;
    if (!write && command != tab.readButton) continue;
    Run([this, &tab, write] {
      Device dev = MakeDevice();
      RunCardAction(dev, tab, write ? CardAction::Write : CardAction::Read);
    });
    return;
  }
}

void WindowCore::CheckBoxChanged(CheckBox box, bool ticked) {
  switch (box) {
    case CheckBox::UseDatabase:
      // The box itself is the mode: handlers read it when they need it.
      Check1_Click(state_, view_);
      return;
    case CheckBox::KeepRecord:
      Run([this, ticked] { KeepRecord_Click(state_, view_, ticked); });
      // A cancelled dialog, a record that cannot be used or a handler already
      // waiting leaves recording as it was: the box says so.
      view_.SetCheckBox(CheckBox::KeepRecord, !state_.recordPath.empty());
      return;
    case CheckBox::Sound:
      soundOn_ = ticked;
      return;
    case CheckBox::CheckCardFirst:
      CheckCardFirst_Click(state_, ticked);
      return;
    case CheckBox::CheckPrintedNumber:
      CheckPrintedNumber_Click(state_, ticked);
      return;
    case CheckBox::SharedRecord:
      Run([this, ticked] {
        BusyGuard busy(state_);
        if (!busy.Taken()) return;
        Device dev = MakeDevice();
        SharedRecord_Click(dev, view_, sharedRecord, ticked);
      });
      // A cancelled dialog, a connection that failed or a handler already
      // waiting leaves the box as the program stands.
      view_.SetCheckBox(CheckBox::SharedRecord, state_.shared.store != nullptr);
      return;
  }
}

void WindowCore::StartSharedRecord() {
  if (!sharedRecord.connection.empty()) CheckBoxChanged(CheckBox::SharedRecord, true);
}

void WindowCore::BoxChanged(int box) {
  if (box == kPrintedOffsetBox) {
    // Digits only, empty for 0; anything else puts the last accepted text
    // back, whose change event then passes.
    const std::string text = view_.BoxText(box);
    if (SetPrintedOffset(state_, text))
      printedOffsetText_ = text;
    else
      view_.SetBoxText(box, printedOffsetText_);
    return;
  }
  const BoxOwner owner = OwnerOfBox(box);
  if (owner.tab) ValidateBox(state_, view_, *owner.tab, owner.role);
}

void WindowCore::BoxEdited(int box) {
  const BoxOwner owner = OwnerOfBox(box);
  if (owner.tab) UndoEditWhileBusy(state_, view_, *owner.tab, owner.role);
}

void WindowCore::FunctionKey(int key) {
  // Wherever the focus is, the keys press the buttons of the tab in front,
  // through the same handlers: a key pressed during a wait does nothing.
  if (key == 4) {
    ButtonClicked(kIdentifyButton);
    return;
  }
  const TabSpec* tab = TabAt(view_.FrontTab());
  if (!tab || (key != 2 && key != 3)) return;
  ButtonClicked(key == 2 ? tab->writeButton : tab->readButton);
}

void WindowCore::PortListDropping() { view_.ShowPortEntries(RefreshPortEntries(listPorts(), view_.ComPortChoice())); }

bool WindowCore::CloseRequested() {
  closing_ = true;
  // A handler waiting on the stack uses the window: it ends first (Closing()
  // cuts its wait short), then CloseWindow() closes for real.
  if (state_.BusyFlag) return false;
  link_.Close();
  return true;
}

std::vector<std::chrono::milliseconds> WindowCore::SoundCue(BannerTone tone) const {
  // A run's progress is no outcome: only its end is heard.
  if (!soundOn_ || tone == BannerTone::Working) return {};
  return BeepPattern(tone);
}

Rgb BannerBackground(BannerTone tone) {
  switch (tone) {
    case BannerTone::Good: return {0x1b, 0x5e, 0x20};
    case BannerTone::Bad: return {0xb7, 0x1c, 0x1c};
    case BannerTone::Neutral:
    case BannerTone::Working: break;
  }
  return {0x37, 0x47, 0x4f};
}

ResultBanner FirstBanner() { return {Tr("No card written or read yet"), BannerTone::Neutral}; }

std::vector<std::chrono::milliseconds> BeepPattern(BannerTone tone) {
  using std::chrono::milliseconds;
  if (tone == BannerTone::Bad) return {milliseconds(0), milliseconds(180), milliseconds(360)};
  return {milliseconds(0)};
}

std::string DefaultRecordFileName(int year, int month, int day) {
  char name[32];
  std::snprintf(name, sizeof name, "cards-%04d-%02d-%02d.csv", year, month, day);
  return name;
}

}  // namespace vx
