#pragma once
// A window without a window. Each WaitForEvents is one Timer1 tick: PollCount
// advances, the fake device speaks, and any action the test scheduled for that
// tick runs (a click, an untick of "Use Database", a tab switch ...).

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "operations/form_state.h"
#include "operations/host.h"
#include "window/window_core.h"
#include "support/fake_link.h"

namespace vx::test {

class FakeHost : public WindowView {
 public:
  FakeHost(FormState& state, FakeLink& link) : state_(&state), link_(link) { state.PollCount.UseManualTicks(); }
  // Ticks `state` from now on: the state of a window core built on this host.
  void Rebind(FormState& state) {
    state_ = &state;
    state.PollCount.UseManualTicks();
  }

  // Runs `action` inside the yield of the given tick (counted from the host's
  // creation, 1-based).
  void AtTick(long tick, std::function<void()> action) { actions_[tick].push_back(std::move(action)); }
  long ticks() const { return ticks_; }
  // A message box shown while a batch runs may run an action (e.g. "the
  // operator waits a minute": 6000 ticks pass).
  std::function<void(const std::string&)> onMessage;

  // Host
  void ProcessEventsOnce() override { ++eventPasses; }
  void WaitForEvents(std::chrono::milliseconds timeout) override;
  bool Closing() const override { return closing; }
  void LogLine(const std::string& text) override;
  void SelectLastLine() override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& question, Answer preset) override;
  std::optional<std::string> AskPrintedNumber(const std::string& prompt) override;
  void ShowResult(const ResultBanner& banner) override { banners.push_back(banner); }
  bool UseDatabaseTicked() override { return useDatabase; }
  void SetDatabaseFrameVisible(bool visible) override { databaseFrameVisible = visible; }
  void SetDatabasePath(const std::string& path) override { databasePath = path; }
  void ShowBatchProgress(const std::string& text) override { batchProgress = text; }
  std::optional<std::string> ChooseCardFile() override { return chosenFile; }
  void SetKeepRecord(bool ticked, const std::string& path) override {
    keepRecord = ticked;
    recordPathShown = path;
  }
  std::optional<std::string> ChooseRecordFile() override { return chosenRecord; }
  std::optional<ExportChoice> ChooseExportLayout() override {
    ++exportDialogs;
    return chosenLayout;
  }
  std::optional<std::string> ChooseSaveFile(SaveKind kind, const std::string& suggestedName) override {
    saveKinds.push_back(kind);
    suggestedNames.push_back(suggestedName);
    return chosenSaveFile;
  }
  std::string BoxText(int box) override;
  void SetBoxText(int box, const std::string& text) override { boxes[box] = text; }
  PortChoice ComPortChoice() override { return port; }
  int FrontTab() override { return frontTab; }
  void ShowTab(int position) override { frontTab = position; }
  // WindowView
  void ShowPortEntries(const PortEntryState& ports) override {
    portEntries = ports.entries;
    port = {ports.selected, ports.text};
  }
  void SetLabelCaption(int label, const std::string& caption) override { labels[label] = caption; }
  void ShowFormatNote(int tabPosition, const std::string& text) override { formatNotes[tabPosition] = text; }
  void ClearList() override { list.clear(); }
  void SetCheckBox(CheckBox box, bool ticked) override { checkBoxes[box] = ticked; }
  void CloseWindow() override { ++closeWindowCalls; }
  std::optional<std::string> ChooseSharedRecord(const std::vector<std::string>& dataSources) override {
    dataSourcesOffered = dataSources;
    return chosenSharedRecord;
  }
  void ShowSharedRecordLine(const std::string& text) override { sharedRecordLine = text; }

  // One tick of Timer1, as the window's timer would deliver it.
  void Tick();

  // What the test sets and looks at.
  std::vector<std::string> list;      // List1
  int selectedLine = -1;              // List1's selected line
  std::vector<std::string> messages;  // message boxes, in order
  std::map<int, std::string> boxes;   // Text<n>; absent boxes read "1"
  bool useDatabase = false;
  bool databaseFrameVisible = false;
  std::string databasePath;
  std::string batchProgress;
  std::optional<std::string> chosenFile;
  // Question boxes: what was asked, and the answers to give in turn (No once
  // they run out).
  std::vector<std::string> questions;
  std::vector<Answer> presets;        // the preset button of each question
  std::vector<bool> answers;
  // The entry box of "Check Printed Number": what it asked, and the texts to
  // type in turn (cancelled once they run out).
  std::vector<std::string> printedPrompts;
  std::vector<std::optional<std::string>> printedTyped;
  std::vector<ResultBanner> banners;  // the result banner, every time it changed
  bool keepRecord = false;
  std::string recordPathShown;
  std::optional<std::string> chosenRecord;
  std::optional<ExportChoice> chosenLayout;  // the answer of the dialog of "Export…"
  int exportDialogs = 0;                     // how often it was shown
  std::optional<std::string> chosenSaveFile;  // the answer of every save dialog of an export or report
  std::vector<SaveKind> saveKinds;            // what each save dialog saved
  std::vector<std::string> suggestedNames;    // and the name it proposed
  PortChoice port{0, "1"};
  int frontTab = 8;
  bool closing = false;
  int eventPasses = 0;
  std::vector<std::string> portEntries;    // Combo1
  std::map<int, std::string> labels;       // Label<n> as set
  std::map<int, std::string> formatNotes;  // by tab position
  std::map<CheckBox, bool> checkBoxes;     // as the program last showed them
  int closeWindowCalls = 0;
  std::optional<std::string> chosenSharedRecord;   // the answer of the "Shared Record" dialog
  std::vector<std::string> dataSourcesOffered;     // what the dialog last offered
  std::string sharedRecordLine;

 private:
  FormState* state_;
  FakeLink& link_;
  long ticks_ = 0;
  std::map<long, std::vector<std::function<void()>>> actions_;
};

}  // namespace vx::test
