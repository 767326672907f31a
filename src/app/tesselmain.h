#pragma once
// The program's one window on Linux: Qt widgets, their layout and the dialogs.
// What each control does is the window core's; the window forwards its events
// there and is the view through which the core and every handler see it.
// Every tab's controls come from the one table of tabs.

#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "operations/form_state.h"
#include "operations/host.h"
#include "operations/tabs.h"
#include "window/window_controls.h"
#include "window/window_core.h"
#include "operations/device_link.h"
#include "device/serial_link.h"
#include "formats/format_table.h"
#include "program/window_start.h"

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class LengthLimit;

class Tesselmain : public QWidget, public vx::WindowView, public vx::StartingWindow {
  Q_OBJECT

 public:
  // The window talks to the device through `link` (the Qt serial port, or a
  // simulated or scripted one). It is built with every control in its initial
  // state; Startup() then loads the formats.
  explicit Tesselmain(std::unique_ptr<vx::SerialLink> link, QWidget* parent = nullptr);
  ~Tesselmain() override;

  // Form_Load (the window core's start-up). On a fault in the file the fault
  // is returned and the window must not be shown.
  std::optional<vx::FormatFileError> Startup(const std::string& formatFile = "HID.cfg") override {
    return core_.Startup(formatFile);
  }

  // Puts text into Combo1's field as if the operator had typed it.
  void SetPortText(const std::string& text) override;

  // Says beside Combo1 what the port really leads to (the simulated
  // reader/writer), so it is never mistaken for a real device.
  void ShowDeviceNote(const std::string& text) override;

  vx::FormState& State() { return core_.State(); }
  vx::WindowCore& Core() override { return core_; }
  vx::SerialLink& Link() { return *link_; }

  // Replaceable for tests: the file-open dialog of "Browse", and the modal
  // message box. Empty functions mean the real dialogs.
  std::function<std::optional<std::string>()> cardFileChooser;
  std::function<void(const std::string&)> messageShower;
  // Likewise the save dialog of "Keep Record" and the Yes/No question box.
  std::function<std::optional<std::string>()> recordFileChooser;
  std::function<bool(const std::string&)> questionAsker;
  // The sound cue after a card: one beep, or three after a failure. Empty
  // means the system's beep.
  std::function<void()> beeper;
  // The system's serial ports, as Combo1 offers them after its entries 1 to
  // 16. Empty means the system's own list.
  std::function<std::vector<vx::SerialPortInfo>()> portLister;
  // The dialog of "Shared Record". Empty means the real dialog.
  std::function<std::optional<std::string>(const std::vector<std::string>&)> sharedRecordChooser;
  // The dialog of "Export…" and the save dialog of an export or a report.
  // Empty means the real dialogs.
  std::function<std::optional<vx::ExportChoice>()> exportLayoutChooser;
  std::function<std::optional<std::string>(vx::SaveKind, const std::string&)> saveFileChooser;

  // vx::Host
  void ProcessEventsOnce() override;
  void WaitForEvents(std::chrono::milliseconds timeout) override;
  bool Closing() const override { return core_.Closing(); }
  void LogLine(const std::string& text) override;
  void SelectLastLine() override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& question, vx::Answer preset) override;
  std::optional<std::string> AskPrintedNumber(const std::string& prompt) override;
  void ShowResult(const vx::ResultBanner& banner) override;
  bool UseDatabaseTicked() override;
  void SetDatabaseFrameVisible(bool visible) override;
  void SetDatabasePath(const std::string& path) override;
  void ShowBatchProgress(const std::string& text) override;
  std::optional<std::string> ChooseCardFile() override;
  void SetKeepRecord(bool ticked, const std::string& path) override;
  std::optional<std::string> ChooseRecordFile() override;
  std::optional<vx::ExportChoice> ChooseExportLayout() override;
  std::optional<std::string> ChooseSaveFile(vx::SaveKind kind, const std::string& suggestedName) override;
  std::string BoxText(int box) override;
  void SetBoxText(int box, const std::string& text) override;
  vx::PortChoice ComPortChoice() override;
  int FrontTab() override;
  void ShowTab(int position) override;
  // vx::WindowView
  void ShowPortEntries(const vx::PortEntryState& ports) override;
  void SetLabelCaption(int label, const std::string& caption) override;
  void ShowFormatNote(int tabPosition, const std::string& text) override;
  void ClearList() override;
  void SetCheckBox(vx::CheckBox box, bool ticked) override;
  void CloseWindow() override;
  std::optional<std::string> ChooseSharedRecord(const std::vector<std::string>& dataSources) override;
  void ShowSharedRecordLine(const std::string& text) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void KeepRoomForTheBanner();
  QWidget* BuildTab(const vx::TabSpec& tab);
  QGroupBox* BuildEntryFrame(vx::Control control, int box, int maxLength);
  QPushButton* AddButton(int number, vx::Control control);
  QCheckBox* AddCheckBox(vx::CheckBox box, const char* name, vx::Control control);
  void BindFunctionKeys();

  std::unique_ptr<vx::SerialLink> link_;
  vx::WindowCore core_;

  QComboBox* combo1_ = nullptr;
  QLabel* deviceNote_ = nullptr;
  std::map<vx::CheckBox, QCheckBox*> checkBoxes_;
  QLabel* recordPath_ = nullptr;
  QLabel* sharedRecordLine_ = nullptr;
  QLabel* resultBanner_ = nullptr;
  QGroupBox* frame9_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLabel* batchProgress_ = nullptr;
  QListWidget* list1_ = nullptr;
  QTabWidget* sstab1_ = nullptr;
  QTimer wake_;
  std::map<int, QLineEdit*> boxes_;
  std::map<int, LengthLimit*> limits_;
  std::map<int, QLabel*> labels_;
  std::map<int, QLabel*> formatNotes_;  // by tab position: the missing-format line
  std::map<int, QPushButton*> buttons_;
};
