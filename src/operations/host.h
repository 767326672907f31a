#pragma once
// What a handler needs of the window. The Qt window implements it; tests use a
// fake whose yields advance PollCount tick by tick.

#include <chrono>
#include <optional>
#include <string>

#include "device/port_choice.h"
#include "operations/result_banner.h"

namespace vx {

struct CardOutcome;
struct SharedRecordNote;

// What the dialog of "Export…" chose: a named layout or a layout file, the
// form of EM4100 numbers and whether the file starts with a byte-order mark.
struct ExportChoice {
  std::string layoutName = {};  // a name of kLayoutNames; empty when a layout file is chosen
  std::string layoutFile = {};  // the layout file's path
  std::string em4100 = "hex10";  // a name of kEm4100Forms
  bool byteOrderMark = false;
};

// What a save dialog saves, for its title and the kinds of file it offers.
enum class SaveKind { Export, Report };

// The button of a question that is chosen unless the operator picks the other.
enum class Answer { Yes, No };

// What a handler's message box stands for besides its words, for a caller
// that goes by kind (the console program's exit status), never by wording
// or language.
enum class Refusal {
  Port,           // the port chosen does not open
  FacilityCode,   // the facility code is not one the format can carry
  CardNumber,     // nor the card number
  ListEnd,        // the card-number list has no card left
  MissingFormat,  // the format file has no line for the tab's format
  JustWritten,    // the card on the reader is the one written last
  SharedRecord,   // the shared record cannot be reached, or refuses the card
  PrintedNumber,  // the number printed on the card in hand is not the one expected
};

class Host {
 public:
  virtual ~Host() = default;

  // Let the window process its pending events once, without waiting.
  virtual void ProcessEventsOnce() = 0;
  // The yield of a wait loop: process events, sleeping until the next event
  // (received bytes among them) or until `timeout` has passed, rather than
  // spinning. No timer wakes the program while nothing waits.
  virtual void WaitForEvents(std::chrono::milliseconds timeout) = 0;
  // True once the window is closing: waits end at once and no more boxes are shown.
  virtual bool Closing() const = 0;

  // List1: append a line and select the last line.
  virtual void LogLine(const std::string& text) = 0;
  // List1: select the last line (nothing when the list is empty).
  virtual void SelectLastLine() = 0;
  // A modal message box with an OK button only.
  virtual void ShowMessage(const std::string& text) = 0;
  // The message box of a refusal or of the list's end: a window shows it as
  // any other; the console program goes by `why`.
  virtual void ShowRefusal(Refusal why, const std::string& text) {
    (void)why;
    ShowMessage(text);
  }
  // A modal question with the buttons Yes and No; true for Yes. `preset` is
  // the button that Enter presses: No where Yes would undo or duplicate a card.
  virtual bool AskYesNo(const std::string& question, Answer preset) = 0;
  // The entry box of "Check Printed Number": `prompt` asks for the number
  // printed on the card in hand, which a keyboard-wedge scanner types as
  // digits then Enter. The text as typed (Enter accepts it); nullopt when
  // cancelled.
  virtual std::optional<std::string> AskPrintedNumber(const std::string& prompt) = 0;
  // The result banner between List1 and the tabs.
  virtual void ShowResult(const ResultBanner& banner) = 0;
  // Every card operation's outcome, once recorded and its banner shown, with
  // what the shared record made of it. A window has said all through the
  // banner; the console program reports each card from the whole value (its
  // words, its record fields, its exit status).
  virtual void CardOutcomeTaken(const CardOutcome& outcome, const SharedRecordNote& note) {
    (void)outcome;
    (void)note;
  }

  // Check1 "Use Database" at this moment (only the ticked state counts).
  virtual bool UseDatabaseTicked() = 0;
  // Frame9 shown or hidden.
  virtual void SetDatabaseFrameVisible(bool visible) = 0;
  // Text2, the path of the card-number file.
  virtual void SetDatabasePath(const std::string& path) = 0;
  // The line in Frame9 that tells the batch's progress.
  virtual void ShowBatchProgress(const std::string& text) = 0;
  // The file-open dialog; nullopt when cancelled.
  virtual std::optional<std::string> ChooseCardFile() = 0;

  // "Keep Record": sets the box and the record's path shown beside it.
  virtual void SetKeepRecord(bool ticked, const std::string& path) = 0;
  // The save dialog for the record file; nullopt when cancelled.
  virtual std::optional<std::string> ChooseRecordFile() = 0;

  // The dialog of "Export…": the layout and how to write the numbers;
  // nullopt when cancelled.
  virtual std::optional<ExportChoice> ChooseExportLayout() = 0;
  // The save dialog of an export or a report, proposing `suggestedName`; the
  // path chosen, nullopt when cancelled.
  virtual std::optional<std::string> ChooseSaveFile(SaveKind kind, const std::string& suggestedName) = 0;

  // Entry boxes by control number (3 is Text3). Setting a box's text does not
  // cut it to the box's maximum length.
  virtual std::string BoxText(int box) = 0;
  virtual void SetBoxText(int box, const std::string& text) = 0;

  virtual PortChoice ComPortChoice() = 0;
  // Index of the tab in front of SSTab1.
  virtual int FrontTab() = 0;
  // Brings the tab at `position` of SSTab1 to the front. A host without tabs
  // (the console) has nothing to bring.
  virtual void ShowTab(int position) { (void)position; }
};

}  // namespace vx
