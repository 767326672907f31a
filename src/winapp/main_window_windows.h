#pragma once
// The program's window on the Windows API: the standard controls, their
// layout, the message loop's key handling and the dialogs. Every rule (what
// start-up shows, which handler a click runs, what closing during a wait
// does) is the window core's; this forwards each event to it by control
// number and carries out what it asks.

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "operations/tabs.h"
#include "window/window_core.h"
#include "program/window_start.h"

namespace vx {
class WindowsSerialLink;
}

namespace vx::win {

class WindowFonts;

class MainWindow : public WindowView, public StartingWindow {
 public:
  // The window talks to the device through `link` (the system's serial port
  // or the simulated reader/writer), which outlives it.
  MainWindow(HINSTANCE instance, SerialLink& link);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Makes the window and its controls, hidden. False when the system refuses.
  bool Create();
  // Form_Load; on a fault in the format file the window must not be shown.
  std::optional<FormatFileError> Startup(const std::string& formatFile) override;
  // Puts text into Combo1's field as if the operator had typed it (--port).
  void SetPortText(const std::string& text) override;
  // Says beside Combo1 what the port really leads to (the simulated device).
  void ShowDeviceNote(const std::string& text) override;
  void Show(int showCommand);
  HWND Handle() const { return window_; }

  // For the message loop: the keys the window handles itself (F2, F3,
  // Ctrl+Tab, Tab and the dialog keys). True when `message` was used.
  bool TranslateKeys(MSG& message);

  // Host
  void ProcessEventsOnce() override;
  void WaitForEvents(std::chrono::milliseconds timeout) override;
  bool Closing() const override;
  void LogLine(const std::string& text) override;
  void SelectLastLine() override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& question, Answer preset) override;
  std::optional<std::string> AskPrintedNumber(const std::string& prompt) override;
  void ShowResult(const ResultBanner& banner) override;
  bool UseDatabaseTicked() override;
  void SetDatabaseFrameVisible(bool visible) override;
  void SetDatabasePath(const std::string& path) override;
  void ShowBatchProgress(const std::string& text) override;
  std::optional<std::string> ChooseCardFile() override;
  void SetKeepRecord(bool ticked, const std::string& path) override;
  std::optional<std::string> ChooseRecordFile() override;
  std::optional<ExportChoice> ChooseExportLayout() override;
  std::optional<std::string> ChooseSaveFile(SaveKind kind, const std::string& suggestedName) override;
  std::string BoxText(int box) override;
  void SetBoxText(int box, const std::string& text) override;
  PortChoice ComPortChoice() override;
  int FrontTab() override;
  void ShowTab(int position) override;

  // WindowView
  void ShowPortEntries(const PortEntryState& ports) override;
  void SetLabelCaption(int label, const std::string& caption) override;
  void ShowFormatNote(int tabPosition, const std::string& text) override;
  void ClearList() override;
  void SetCheckBox(CheckBox box, bool ticked) override;
  void CloseWindow() override;
  std::optional<std::string> ChooseSharedRecord(const std::vector<std::string>& dataSources) override;
  void ShowSharedRecordLine(const std::string& text) override;
  WindowCore& Core() override { return *core_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  LRESULT OnColorStatic(HDC dc, HWND control);

  HWND Add(const wchar_t* kind, const std::wstring& text, DWORD style, int id, DWORD exStyle = 0);
  // The tooltips of the controls that have one (window_controls.h).
  void AddToolTips();
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  void BuildTab(const TabSpec& tab);
  void Layout();
  // Widens the window when its captions need more than it has.
  void FitToCaptions();
  void ShowFrontTab();
  void UpdateVisibility();
  void RepaintBehind(HWND control);
  void EraseBackground(HDC dc);
  void MakeFonts();
  void MoveFocus(bool backwards);
  void ChangeTab(int step);
  int Scaled(int logicalPixels) const { return MulDiv(logicalPixels, dpi_, 96); }
  void PumpMessages();

  HINSTANCE instance_;
  SerialLink& link_;
  WindowsSerialLink* systemPort_;  // the link when it is the system's port: its event wakes the waits
  std::unique_ptr<WindowCore> core_;
  HWND window_ = nullptr;
  HACCEL keys_ = nullptr;
  int dpi_ = 96;
  std::unique_ptr<WindowFonts> fonts_;
  int neededWidth_ = 0;  // at 96 DPI: the narrowest client area that cuts no caption
  int neededHeight_ = 0;  // at 96 DPI: the lowest, the banner whole and the list at its least
  RECT banner_{};  // at 96 DPI: the banner as laid out
  std::array<HBRUSH, 4> bannerBrushes_{};  // one per tone
  BannerTone bannerTone_ = BannerTone::Neutral;

  bool quitting_ = false;
  bool programSetsText_ = false;  // EN_CHANGE of text the program puts in is no edit of the operator's
  bool databaseFrameShown_ = false;
  bool recordPathShown_ = false;
  bool sharedRecordLineShown_ = false;
  bool deviceNoteShown_ = false;
  std::array<bool, kTabCount> formatNoteShown_{};
  std::vector<HWND> groupBoxes_;
  std::vector<HWND> focusOrder_;  // top to bottom, as Tab walks through them
  std::array<std::vector<HWND>, kTabCount> tabControls_;
};

}  // namespace vx::win
