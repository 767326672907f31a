#pragma once
// The window's part played in a console: the boxes are a map, the port is the
// one named on the command line, "Use Database" is ticked for a batch, the
// file dialogs answer with the files named on the command line, and what the
// window would show is collected for the run to report.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "operations/form_state.h"
#include "operations/host.h"
#include "operations/tabs.h"
#include "device/system_serial_link.h"
#include "carddata/card_outcome.h"
#include "operations/shared_record_flow.h"

namespace vx::cli {

class ConsoleHost : public Host {
 public:
  ConsoleHost(FormState& state, SystemSerialLink& link) : state_(state), link_(link) {}

  // What the command line sets.
  std::string port;
  int frontTab = kStartTab;
  bool useDatabase = false;
  std::optional<std::string> cardFile;
  std::optional<std::string> recordFile;
  // The answer to a question (the resume the record offers, a card the record
  // has as written); `preset` is the answer a window's Enter would give.
  std::function<bool(const std::string& question, Answer preset)> answer =
      [](const std::string&, Answer preset) { return preset == Answer::Yes; };

  // The printed number of the card in hand, asked with `prompt`; nothing
  // when none is given (none is, unless the run sets where they come from).
  std::function<std::optional<std::string>(const std::string& prompt)> askPrinted =
      [](const std::string&) -> std::optional<std::string> { return std::nullopt; };

  // A message box: its words, and what it stands for when it is a refusal
  // or the list's end.
  struct Message {
    std::string text;
    std::optional<Refusal> refusal;
  };
  // What one handler left: its outcome (when it reached the device) and what
  // the shared record made of it, its List1 lines, its message boxes and its
  // last banner. Taken and cleared by the run.
  struct Said {
    std::optional<CardOutcome> outcome;
    SharedRecordNote note;
    std::vector<std::string> lines;
    std::vector<Message> messages;
    std::optional<ResultBanner> banner;
  };
  Said TakeSaid();
  // Ctrl+C twice: the wait in hand ends at once.
  bool Interrupted() const;

  // Host
  void ProcessEventsOnce() override {}
  void WaitForEvents(std::chrono::milliseconds timeout) override;
  bool Closing() const override { return Interrupted(); }
  void LogLine(const std::string& text) override { said_.lines.push_back(text); }
  void SelectLastLine() override {}
  void ShowMessage(const std::string& text) override { said_.messages.push_back({text, std::nullopt}); }
  void ShowRefusal(Refusal why, const std::string& text) override { said_.messages.push_back({text, why}); }
  bool AskYesNo(const std::string& question, Answer preset) override { return answer(question, preset); }
  std::optional<std::string> AskPrintedNumber(const std::string& prompt) override { return askPrinted(prompt); }
  void ShowResult(const ResultBanner& banner) override { said_.banner = banner; }
  void CardOutcomeTaken(const CardOutcome& outcome, const SharedRecordNote& note) override {
    said_.outcome = outcome;
    said_.note = note;
  }
  bool UseDatabaseTicked() override { return useDatabase; }
  void SetDatabaseFrameVisible(bool) override {}
  void SetDatabasePath(const std::string&) override {}
  void ShowBatchProgress(const std::string&) override {}
  std::optional<std::string> ChooseCardFile() override { return cardFile; }
  void SetKeepRecord(bool, const std::string&) override {}
  std::optional<std::string> ChooseRecordFile() override { return recordFile; }
  // The console has its own export and report commands: no dialog here.
  std::optional<ExportChoice> ChooseExportLayout() override { return std::nullopt; }
  std::optional<std::string> ChooseSaveFile(SaveKind, const std::string&) override { return std::nullopt; }
  std::string BoxText(int box) override;
  void SetBoxText(int box, const std::string& text) override { boxes_[box] = text; }
  PortChoice ComPortChoice() override { return {-1, port}; }
  int FrontTab() override { return frontTab; }

 private:
  FormState& state_;
  SystemSerialLink& link_;
  std::map<int, std::string> boxes_;
  Said said_;
};

}  // namespace vx::cli
