#pragma once
// The program's one window. It owns the form-level state and the serial link
// for its whole life, and is the Host through which every handler sees it.
// Every tab's controls and bindings come from the one table of tabs.

#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/form_state.h"
#include "core/host.h"
#include "core/tabs.h"
#include "device/device_link.h"
#include "device/port_entries.h"
#include "device/port_list.h"
#include "device/serial_link.h"
#include "formats/format_table.h"

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

class Tesselmain : public QWidget, public vx::Host {
  Q_OBJECT

 public:
  // The window talks to the device through `link` (the Qt serial port, or a
  // simulated or scripted one). It is built with every control in its initial
  // state; Startup() then loads the formats.
  explicit Tesselmain(std::unique_ptr<vx::SerialLink> link, QWidget* parent = nullptr);
  ~Tesselmain() override;

  // Form_Load: fills Combo1, loads the format file and rewrites the range
  // captions from it. On a fault in the file the fault is returned and the
  // window must not be shown.
  std::optional<vx::FormatFileError> Startup(const std::string& formatFile = "HID.cfg");

  // Puts text into Combo1's field as if the operator had typed it.
  void SetPortText(const std::string& text);

  // Says beside Combo1 what the port really leads to (the simulated
  // reader/writer), so it is never mistaken for a real device.
  void ShowDeviceNote(const std::string& text);

  vx::FormState& State() { return state_; }
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
  // The serial ports offered in Combo1 after "1" to "16", read at start-up
  // and each time the list drops down. Empty means the system's.
  std::function<std::vector<vx::SerialPortInfo>()> portLister;

  // vx::Host
  void ProcessEventsOnce() override;
  void WaitForEvents(std::chrono::milliseconds timeout) override;
  bool Closing() const override { return closing_; }
  void LogLine(const std::string& text) override;
  void SelectLastLine() override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& question, vx::Answer preset) override;
  void ShowResult(const vx::ResultBanner& banner) override;
  bool UseDatabaseTicked() override;
  void SetDatabaseFrameVisible(bool visible) override;
  void SetDatabasePath(const std::string& path) override;
  void ShowBatchProgress(const std::string& text) override;
  std::optional<std::string> ChooseCardFile() override;
  void SetKeepRecord(bool ticked, const std::string& path) override;
  std::optional<std::string> ChooseRecordFile() override;
  std::string BoxText(int box) override;
  void SetBoxText(int box, const std::string& text) override;
  vx::PortChoice ComPortChoice() override;
  int FrontTab() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildTab(const vx::TabSpec& tab);
  QGroupBox* BuildEntryFrame(const QString& caption, int box, int maxLength);
  void BindTab(const vx::TabSpec& tab);
  // F2 and F3 press "Write Card" and "Read Card" of the tab in front.
  void BindFunctionKeys();
  // With "Sound" ticked: one beep for a good outcome, three for a failure.
  void SoundCue(vx::BannerTone tone);
  // Runs a handler that may wait for the device; a close asked for meanwhile
  // is carried out once the handler has returned.
  void RunHandler(const std::function<void()>& handler);
  vx::Device MakeDevice();
  std::vector<vx::SerialPortInfo> SerialPorts() const;
  // Fills Combo1 and selects the entry, or shows the text as typed.
  void ShowPortEntries(const vx::PortEntryState& ports);

  vx::FormState state_;
  std::unique_ptr<vx::SerialLink> link_;
  bool closing_ = false;

  QComboBox* combo1_ = nullptr;
  QLabel* deviceNote_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QCheckBox* keepRecord_ = nullptr;
  QLabel* recordPath_ = nullptr;
  QLabel* resultBanner_ = nullptr;
  QCheckBox* sound_ = nullptr;
  QCheckBox* checkCardFirst_ = nullptr;
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
