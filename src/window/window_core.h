#pragma once
// The program's window less its drawing: what start-up puts into the controls,
// which handler each button, box, check box and key runs, and what closing
// during a wait does. Both windows (Qt on Linux, the Windows API on Windows)
// build their controls from the table of tabs, forward every event here by
// control number, and carry out what this asks through WindowView. A rule of
// the program is written here once, so the two windows cannot drift apart.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "operations/form_state.h"
#include "operations/host.h"
#include "operations/result_banner.h"
#include "window/shared_record_box.h"
#include "operations/device_link.h"
#include "device/port_entries.h"
#include "device/port_list.h"
#include "device/serial_link.h"
#include "formats/format_table.h"

namespace vx {

// The window's check boxes besides the entry boxes.
enum class CheckBox { UseDatabase, KeepRecord, Sound, CheckCardFirst, SharedRecord, CheckPrintedNumber };

// The control numbers of the buttons outside the tabs.
inline constexpr int kClearButton = 11;   // Command11 "Clear"
inline constexpr int kLinkButton = 12;    // Command12 "Link"
inline constexpr int kBrowseButton = 2;   // Command2 "Browse"
inline constexpr int kExportButton = 23;  // "Export…", beside Browse
inline constexpr int kReportButton = 24;  // "Report…", beside Export
inline constexpr int kIdentifyButton = 22;  // Command22 "Identify Card": it concerns every tab
// The entry box outside the tabs: Text23, the printed number's offset.
inline constexpr int kPrintedOffsetBox = 23;

// What start-up, the check boxes and closing ask of a window besides what
// the handlers ask of it (Host).
class WindowView : public Host {
 public:
  // Combo1's entries, the one selected and the field's text.
  virtual void ShowPortEntries(const PortEntryState& ports) = 0;
  // The caption of Label<n>.
  virtual void SetLabelCaption(int label, const std::string& caption) = 0;
  // The note under a tab's range labels (its format is missing from HID.cfg);
  // shown in a warning colour. Empty hides it.
  virtual void ShowFormatNote(int tabPosition, const std::string& text) = 0;
  // List1: remove every line.
  virtual void ClearList() = 0;
  // Shows a check box as the program now stands, without running its handler.
  virtual void SetCheckBox(CheckBox box, bool ticked) = 0;
  // The dialog of "Shared Record": the system's data sources and a field for
  // a connection string. The data source or the string; nullopt when cancelled.
  virtual std::optional<std::string> ChooseSharedRecord(const std::vector<std::string>& dataSources) = 0;
  // The line under "Shared Record" that says where the record is; empty hides it.
  virtual void ShowSharedRecordLine(const std::string& text) = 0;
  // Carries out a close that was asked for during a wait, once the waiting
  // handler has returned; the window closes as if the operator closed it now.
  virtual void CloseWindow() = 0;
};

class WindowCore {
 public:
  WindowCore(WindowView& view, SerialLink& link);

  // Form_Load: Combo1's entries and selection, every current text "1",
  // HID.cfg into the format table, the range captions, the notes of tabs
  // whose format is missing, the banner's first words. On a fault in the file
  // the fault is returned and the window must not be shown.
  std::optional<FormatFileError> Startup(const std::string& formatFile);

  // The click of Command<n>, wherever it came from (mouse, key, automation).
  void ButtonClicked(int command);
  // A check box changed to `ticked`, however it was changed (mouse, Space,
  // an assistive technology). Afterwards the box is shown as the program
  // stands, which may differ (a cancelled dialog, a handler already waiting).
  void CheckBoxChanged(CheckBox box, bool ticked);
  // The change event of Text<n>: the validator.
  void BoxChanged(int box);
  // Text<n> edited by the operator (never for text the program puts in).
  void BoxEdited(int box);
  // F2 (2) and F3 (3): "Write Card" and "Read Card" of the tab in front;
  // F4 (4): "Identify Card".
  void FunctionKey(int key);
  // Combo1 is about to drop down: its ports are read again, the operator's
  // choice kept while its port is there.
  void PortListDropping();

  // The operator asks to close the window: true when it may close now. While
  // a handler waits, false: the wait is cut short and CloseWindow() follows
  // once the handler has returned.
  bool CloseRequested();
  bool Closing() const { return closing_; }

  // The beeps to play after a banner of this tone, counted from now: the
  // pattern while "Sound" is ticked, none otherwise.
  std::vector<std::chrono::milliseconds> SoundCue(BannerTone tone) const;

  FormState& State() { return state_; }
  SerialLink& Link() { return link_; }

  // The system's serial ports (replaceable in tests).
  std::function<std::vector<SerialPortInfo>()> listPorts = ListSerialPorts;
  // How "Shared Record" reaches the store; the program sets it before start-up ends.
  SharedRecordAccess sharedRecord;
  // The language of the job report: the catalogue in use (de, pt_BR ...).
  std::string reportLanguage = "en";
  // --shared-record: connects now, as ticking the box does.
  void StartSharedRecord();

 private:
  // Runs a handler that may wait for the device; a close asked for meanwhile
  // is carried out once the outermost handler has returned.
  template <typename Handler>
  void Run(Handler&& handler);
  Device MakeDevice();

  WindowView& view_;
  SerialLink& link_;
  FormState state_;
  bool closing_ = false;
  bool soundOn_ = false;
  std::string printedOffsetText_;  // the offset box's last accepted text
};

// The banner's look for a tone: white text on a dark shade, so the contrast
// stays high whatever the tone; the words and the symbol carry the meaning.
struct Rgb {
  unsigned char r, g, b;
  bool operator==(const Rgb&) const = default;
};
Rgb BannerBackground(BannerTone tone);
inline constexpr Rgb kBannerText{255, 255, 255};
// The banner before any card was written or read.
ResultBanner FirstBanner();

// The sound cue after a card: when to beep, counted from the outcome. A good
// card or read beeps once, a failure three times, told apart without looking.
std::vector<std::chrono::milliseconds> BeepPattern(BannerTone tone);

// The record file the save dialog proposes: cards-YYYY-MM-DD.csv, today.
std::string DefaultRecordFileName(int year, int month, int day);

}  // namespace vx
