#include "cli/card_run.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "cardlist/card_list.h"
#include "operations/database.h"
#include "operations/shared_batch.h"
#include "cli/card_export.h"
#include "cli/card_report.h"
#include "cli/console_host.h"
#include "cli/console_system.h"
#include "cli/refusal_status.h"
#include "operations/missing_format.h"
#include "operations/tabs.h"
#include "operations/device_link.h"
#include "device/port_list.h"
#include "formats/format_table.h"
#include "i18n/terminal_text.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "operations/card_kinds.h"
#include "operations/identify_card.h"
#include "operations/outcome_views.h"
#include "operations/shared_record_flow.h"
#include "operations/shared_record_connection.h"
#include "operations/unsettled_reservations.h"
#include "operations/write_guards.h"
#include "operations/printed_check.h"
#include "cardlist/card_file.h"
#include "platform/text_file.h"
#include "program/shared_record_access.h"
#include "operations/record_control.h"
#include "store/store_connection.h"
#include "store/store_journal.h"

namespace vx::cli {

namespace {

constexpr const char* kProgram = "vandorix-card: ";

const TabSpec& TabOfName(const std::string& format) {
  const TabSpec* tab = TabOfCardFormat(format);
  return tab ? *tab : kTabs[kStartTab];
}

class Run {
 public:
  Run(const Options& options, Console& console)
      : o_(options), c_(console), link_(MakeSystemSerialLink()), host_(state_, *link_) {
    host_.port = o_.port;
    host_.answer = [this](const std::string& question, Answer preset) { return Reply(question, preset); };
  }

  int Go() {
    switch (o_.command) {
      case Command::Ports: return Ports();
      case Command::Link: return Link();
      case Command::Read: return Read();
      case Command::Write: return Write();
      case Command::Batch: return Batch();
      case Command::Identify: return Identify();
      case Command::Store: return Store();
      case Command::Export:
      case Command::Report: return Export();
      case Command::None: break;
    }
    return kExitUsage;
  }

 private:
  int Ports() {
    const std::vector<SerialPortInfo> ports = ListSerialPorts();
    if (ports.empty()) c_.err << kProgram << Tr("no serial port found") << "\n";
    for (const SerialPortInfo& port : ports)
      c_.out << TerminalText(port.name) << (port.description.empty() ? "" : "\t" + TerminalText(port.description)) << "\n";
    return kExitOk;
  }

  int Link() {
    Device dev = MakeDevice();
    const bool linked = Command12_Click(dev);
    const ConsoleHost::Said said = host_.TakeSaid();
    if (!said.messages.empty()) return *RefusedStatus(said);
    for (const std::string& line : said.lines) c_.out << line << "\n";
    if (InterruptCount() > 0) return kExitInterrupted;
    // An answer that is not an acknowledgement logs no line; the banner says it.
    if (said.lines.empty() && said.banner) Say(said.banner->text);
    return linked ? kExitOk : kExitCardFailed;
  }

  int Read() {
    if (const auto fault = Prepare()) return *fault;
    const ConsoleHost::Said said = RunCard(false);
    // Nothing sent and nothing said: Ctrl+C twice before the port was open.
    if (!said.outcome) return RefusedStatus(said).value_or(kExitInterrupted);
    const CardOutcome& outcome = *said.outcome;
    if (o_.json) {
      c_.out << JsonLine(outcome, InSharedRecord(outcome, said.note)) << "\n";
    } else if (outcome.read) {
      c_.out << outcome.read->FcText() << "," << outcome.read->CnText() << "\n";
      // The numbers are what scripts read; why the shared record lacks the read is the operator's.
      if (said.note.kind != SharedRecordNote::Kind::None)
        c_.err << kProgram << CardLine(outcome, said.note, 1, 1) << "\n";
    } else {
      c_.err << Tinted(CardLine(outcome, said.note, 1, 1), ToneOf(outcome)) << "\n";
    }
    if (InterruptCount() > 0) return kExitInterrupted;
    return IsFailure(outcome.verdict) ? kExitCardFailed : kExitOk;
  }

  int Write() {
    if (const auto fault = Prepare()) return *fault;
    const CardBinding binding = BindingOfTab(state_, *tab_);
    std::string& fcText = *binding.fcText;
    std::string& cnText = *binding.cnText;
    fcText = o_.fc;
    cnText = o_.cn;
    int written = 0, failed = 0;
    for (int card = 1; card <= o_.count; ++card) {
      if (card > 1 ? !NextCardReady(card, o_.count, fcText + "," + cnText) : InterruptCount() > 0) break;
      const ConsoleHost::Said said = RunWrite();
      if (NotThePrintedCard(said, card, o_.count)) {
        ++failed;
        if (Stopping(true)) break;
        continue;
      }
      if (!said.outcome) return Finish(written, failed, o_.count, RefusedStatus(said));
      Report(said, card, o_.count);
      (IsFailure(said.outcome->verdict) ? failed : written) += 1;
      if (Stopping(IsFailure(said.outcome->verdict))) break;
    }
    return Finish(written, failed, o_.count, std::nullopt);
  }

  int Batch() {
    if (const auto fault = Prepare()) return *fault;
    host_.useDatabase = true;
    host_.cardFile = o_.file;
    askingResume_ = true;
    Command2_Click(state_, host_);
    askingResume_ = false;
    const ConsoleHost::Said loaded = host_.TakeSaid();
    const CardList& list = state_.cards;
    if (list.CardCount == 0) {
      if (loaded.messages.empty()) c_.err << kProgram << Tr("the card-number file holds no card") << "\n";
      Tell(loaded.messages);
      return kExitUsage;
    }
    Tell(loaded.messages);
    // The record says the file changed under it: resuming would start again
    // at entry 1 over cards it may have written, which is not what was asked.
    if (o_.resume && !loaded.messages.empty() && list.CardCursor == 0) {
      c_.err << kProgram << Tr("--resume: no card written; compare the file with the record first") << "\n";
      return kExitUsage;
    }
    const int cards = list.CardCount;
    const int attempts = list.CardCount - list.CardCursor;
    for (int attempt = 0; attempt < attempts; ++attempt) {
      // Other stations on the shared record may have written what is left.
      if (list.UsedUp()) break;
      const int card = list.CardCursor + 1;
      if (attempt == 0 && InterruptCount() > 0) break;
      if (attempt > 0) {
        const CardEntry& next = list.entries[static_cast<std::size_t>(list.CardCursor)];
        if (!NextCardReady(card, cards, FacilityCodeText(next) + "," + CardNumberText(next))) break;
      }
      ConsoleHost::Said said = RunWrite();
      if (NotThePrintedCard(said, card, cards)) {
        ++notPrinted_;
        if (Stopping(true)) break;
        continue;
      }
      // Every entry left was written or taken at other stations meanwhile.
      if (!said.outcome && state_.shared.store && list.UsedUp() && !state_.shared.stoppedBy) break;
      if (!said.outcome)
        return Finish(list.CardCursor, state_.tally.failedAttempts + notPrinted_, cards, RefusedStatus(said));
      // The list's end after its last card is the summary's to say.
      if (!IsFailure(said.outcome->verdict))
        std::erase_if(said.messages,
                      [](const ConsoleHost::Message& message) { return message.refusal == Refusal::ListEnd; });
      Report(said, said.outcome->entry, cards);
      if (Stopping(IsFailure(said.outcome->verdict))) break;
    }
    return Finish(list.CardCursor, state_.tally.failedAttempts + notPrinted_, cards, std::nullopt);
  }

  // One line for each format that reads the card, in the window's words; the
  // banner besides when it says more than that line (several formats, none).
  int Identify() {
    const FormatFileResult formats = ReadFormatFile(o_.config);
    if (formats.error) {
      Say(formats.error->Message());
      return kExitUsage;
    }
    ApplyFormatRows(formats, state_.formats);
    Device dev = MakeDevice();
    const Identification id = IdentifyCard(dev);
    const ConsoleHost::Said said = host_.TakeSaid();
    if (!id.ran) return RefusedStatus(said).value_or(kExitInterrupted);
    for (const FormatReading& reading : id.readings)
      c_.out << (o_.json ? JsonLine(reading.outcome) : ReadingLine(reading)) << "\n";
    if (InterruptCount() > 0) return kExitInterrupted;
    if (said.banner && (id.readings.size() != 1 || id.cutShort)) Say(said.banner->text);
    return id.readings.empty() || id.cutShort ? kExitCardFailed : kExitOk;
  }

  // The format file, the format, the guard and the record, before any card.
  std::optional<int> Prepare() {
    const FormatFileResult formats = ReadFormatFile(o_.config);
    if (formats.error) {
      Say(formats.error->Message());
      return kExitUsage;
    }
    ApplyFormatRows(formats, state_.formats);
    tab_ = &TabOfName(o_.format);
    if (TabLacksFormat(state_.formats, *tab_)) {
      Say(MissingFormatText(*tab_, o_.config));
      return kExitUsage;
    }
    host_.frontTab = tab_->position;
    CheckCardFirst_Click(state_, o_.checkCardFirst);
    // Before the record starts: a record made now names the printed numbers.
    if (o_.checkPrinted) {
      if (const auto fault = PreparePrinted()) return fault;
    }
    if (!o_.record.empty()) {
      host_.recordFile = o_.record;
      KeepRecord_Click(state_, host_, true);
      const ConsoleHost::Said said = host_.TakeSaid();
      Tell(said.messages);
      if (state_.recordPath.empty()) return kExitUsage;
    }
    if (!o_.sharedRecord.empty()) {
      if (const auto status = ConnectStore()) return status;
      TakeUpStore();
    }
    return std::nullopt;
  }

  // --check-printed: the offset, and where the printed numbers come from:
  // --printed-from, or the person at the terminal. Without either there is
  // no one to say what is printed on the card in hand.
  std::optional<int> PreparePrinted() {
    CheckPrintedNumber_Click(state_, true);
    SetPrintedOffset(state_, o_.printedOffset);
    if (!o_.printedFrom.empty()) {
      // TRANSLATORS: the kind of file named in a message that it cannot be read.
      const TextFileResult read = ReadTextFile(o_.printedFrom, kCardFileMaxBytes, TrCtx("file kind", "a file of printed numbers"));
      if (!read.content) {
        Say(read.problem);
        return kExitUsage;
      }
      printedLines_ = LinesOf(WithoutByteOrderMark(*read.content));
      host_.askPrinted = [this](const std::string&) -> std::optional<std::string> {
        if (printedTaken_ < printedLines_.size()) return printedLines_[printedTaken_++];
        // TRANSLATORS: %s is the file given with --printed-from.
        Say(Format(Tr("--printed-from: %s has no line left for this card"), o_.printedFrom));
        return std::nullopt;
      };
      return std::nullopt;
    }
    if (!c_.inputTerminal) {
      Say(Tr("--check-printed needs --printed-from FILE when standard input is not a terminal"));
      return kExitUsage;
    }
    host_.askPrinted = [this](const std::string& prompt) -> std::optional<std::string> {
      c_.err << TerminalText(prompt) << " ";
      c_.err.flush();
      const std::optional<std::string> typed = ReadInputLine();
      if (!typed) c_.err << "\n";
      return typed;
    };
    return std::nullopt;
  }

  static std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      lines.emplace_back(text.substr(start, end - start));
      start = end + 1;
    }
    return lines;
  }

  // A card refused for its printed number: not written, and said so in its
  // place in the run; the run goes on with the next card, as after a failed one.
  bool NotThePrintedCard(const ConsoleHost::Said& said, int card, int cards) {
    const bool refused = std::any_of(said.messages.begin(), said.messages.end(), [](const ConsoleHost::Message& m) {
      return m.refusal == Refusal::PrintedNumber;
    });
    if (!refused || said.outcome) return false;
    const std::string words = said.banner ? said.banner->text : said.messages.front().text;
    (o_.json ? c_.err : c_.out) << Tinted(PlacedLine(words, card, cards), BannerTone::Bad) << "\n";
    return true;
  }

  // --shared-record: connects, trying every second for up to --store-wait
  // seconds while it cannot be reached, at once not when it refuses. The
  // exit status when it cannot.
  std::optional<int> ConnectStore() {
    SharedRecordAccess access = SystemSharedRecordAccess(UserDataFolder());
    // --station was held to the rule with the command line; the computer's name is here.
    access.station = o_.station.empty() ? DefaultStationName() : o_.station;
    SharedRecordConnection reach(access);
    if (const auto refusal = reach.CheckStation()) {
      Say(*refusal);
      return kExitUsage;
    }
    // A run that writes cards holds its station's lock before it connects,
    // so no other program here settles or journals as this station meanwhile.
    // The store's other commands and an export settle nothing of the
    // station's, and keep no journal.
    const bool runsCards = o_.command != Command::Store && !ListsRecords(o_.command);
    if (runsCards) {
      if (const auto refusal = reach.LockStation()) {
        Say(*refusal);
        return kExitSharedRecord;
      }
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(o_.storeWait);
    for (bool told = false;; told = true) {
      const std::optional<StoreFault> fault = reach.Connect(o_.sharedRecord);
      if (!fault) break;
      // A server that answers no is not asked again: it would say no again.
      if (fault->refused || std::chrono::steady_clock::now() >= deadline || !WaitASecond()) {
        Say(fault->Message());
        return InterruptCount() > 0 ? kExitInterrupted : kExitSharedRecord;
      }
      if (!told) Say(TryingAgain(fault->Message()));
    }
    reach.TakeUp(state_.shared, runsCards);
    // TRANSLATORS: where the shared record is: "cards on db1, station DESK-2".
    Say(Format(Tr("shared record: %s"), state_.shared.store->Where()));
    return std::nullopt;
  }

  // What the store has not yet taken goes in first; this station's
  // reservations left by an earlier run are settled from the card on the
  // reader, read without asking.
  void TakeUpStore() {
    BusyGuard busy(state_);
    Device dev = MakeDevice();
    TakeUpSharedRecord(dev, false);
    Tell(host_.TakeSaid().messages);
  }

  // A card whose shared record cannot be reached before its write is tried
  // again every second, for up to --store-wait seconds; one it refuses is not.
  ConsoleHost::Said RunWrite() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(o_.storeWait);
    for (bool told = false;; told = true) {
      ConsoleHost::Said said = RunCard(true);
      const std::optional<StoreFault>& stopped = state_.shared.stoppedBy;
      if (!stopped || stopped->refused || std::chrono::steady_clock::now() >= deadline || !WaitASecond()) return said;
      if (!told) Say(TryingAgain(StoreStopText(*stopped)));
    }
  }

  // The message that the shared record cannot be reached, and the waiting.
  std::string TryingAgain(const std::string& message) const {
    // TRANSLATORS: the message that the shared record cannot be reached,
    // then --store-wait's number of seconds ("s" for seconds).
    return Format(Tr("%1$s Trying again every second for up to %2$d s."), message, o_.storeWait);
  }

  // False when Ctrl+C ends the wait.
  static bool WaitASecond() {
    for (int tenth = 0; tenth < 10; ++tenth) {
      if (InterruptCount() > 0) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return InterruptCount() == 0;
  }

  int Store() {
    if (o_.storeAction == StoreAction::Schema) {
      c_.out << (o_.roles ? RolesSql() : SchemaSql());
      return kExitOk;
    }
    if (const auto status = ConnectStore()) return *status;
    SharedStore& store = *state_.shared.store;
    switch (o_.storeAction) {
      case StoreAction::Init:
        // TRANSLATORS: where the shared record is: "cards on db1, station DESK-2".
        c_.out << TerminalText(Format(Tr("The shared record is ready: %s"), store.Where())) << "\n";
        return kExitOk;
      case StoreAction::Status: {
        StoreStatus status;
        if (const auto fault = store.Status(status)) {
          Say(fault->Message());
          return kExitSharedRecord;
        }
        c_.out << StoreStatusText(status);
        // What the shared record refused for good is kept on this computer,
        // beside the journals of its stations.
        std::vector<std::string> unread;
        c_.out << KeptAsideText(KeptAsideIn(UserDataFolder(), unread));
        for (const std::string& problem : unread) Say(problem);
        return kExitOk;
      }
      case StoreAction::Release: {
        const Credential credential{o_.format, static_cast<std::uint32_t>(std::stoul(o_.fc)),
                                    static_cast<std::uint32_t>(std::stoul(o_.cn))};
        bool released = false;
        if (const auto fault = store.Release(credential, released)) {
          Say(fault->Message());
          // A station's login may not release: the usual cause of a refusal here.
          if (fault->refused)
            // TRANSLATORS: vx_supervisor is the name of a database role and stays as it is.
            c_.err << kProgram << Tr("Releasing a credential needs a supervisor's login (the role vx_supervisor).")
                   << "\n";
          return kExitSharedRecord;
        }
        const std::string named = o_.fc + "," + o_.cn + " (" + o_.format + ")";
        if (!released) {
          // TRANSLATORS: the credential as "12,1000 (HID26)".
          Say(Format(Tr("%s is not in the shared record"), named));
          return kExitCardFailed;
        }
        // TRANSLATORS: the credential as "12,1000 (HID26)".
        c_.out << TerminalText(Format(Tr("Released %s: it may be written again."), named)) << "\n";
        return kExitOk;
      }
      case StoreAction::Schema:
      case StoreAction::None: break;
    }
    return kExitUsage;
  }

  // The layout and the records first: a fault in either is the command
  // line's, found before the shared record is asked.
  int Export() {
    ExportJob job(o_, c_);
    if (const auto status = job.Prepare()) return *status;
    if (!o_.sharedRecord.empty()) {
      if (const auto status = ConnectStore()) return *status;
      if (const auto status = job.TakeSharedRecord(*state_.shared.store)) return *status;
    }
    return job.Finish();
  }

  Device MakeDevice() { return Device{state_, host_, *link_}; }

  ConsoleHost::Said RunCard(bool write) {
    Device dev = MakeDevice();
    RunCardAction(dev, *tab_, write ? CardAction::Write : CardAction::Read);
    return host_.TakeSaid();
  }

  // A handler that wrote no card: what it said, and the status that means.
  std::optional<int> RefusedStatus(const ConsoleHost::Said& said) {
    for (const ConsoleHost::Message& message : said.messages) {
      if (message.refusal == Refusal::Port)
        // TRANSLATORS: the message "COM port open failure!", then the port
        // named on the command line.
        Say(Format(Tr("%1$s The port \"%2$s\" cannot be opened."), message.text, o_.port));
      else
        Say(Trimmed(message.text));
    }
    std::optional<int> status = StatusOfMessages(said.messages);
    if (!status && said.banner && said.banner->tone == BannerTone::Bad) {
      Say(said.banner->text);
      status = kExitCardFailed;
    }
    if (state_.shared.stoppedBy) status = kExitSharedRecord;
    return status;
  }

  void Report(const ConsoleHost::Said& said, int card, int cards) {
    const CardOutcome& outcome = *said.outcome;
    const std::optional<bool> shared = InSharedRecord(outcome, said.note);
    if (IsWrite(outcome.verdict) && shared == false) {
      if (said.note.kind == SharedRecordNote::Kind::NotYet)
        ++journalled_;
      else
        keptOut_ = true;
    }
    if (host_.Interrupted())
      c_.err << kProgram
             << Tr("ended at once by a second Ctrl+C: this card's outcome is unknown and was not recorded") << "\n";
    else if (o_.json)
      c_.out << JsonLine(outcome, shared) << "\n";
    else
      c_.out << Tinted(CardLine(outcome, said.note, card, cards), ToneOf(outcome)) << "\n";
    c_.out.flush();
    Tell(said.messages);
  }

  // After a card: whether the run ends here.
  bool Stopping(bool cardFailed) const {
    return InterruptCount() > 0 || (cardFailed && o_.stopOnFailure);
  }

  // Between cards: Ctrl+C ends the run; at a terminal, the person puts the
  // next card on the reader first.
  bool NextCardReady(int card, int cards, const std::string& numbers) {
    if (InterruptCount() > 0) return false;
    if (!c_.interactive) return true;
    // TRANSLATORS: the card's place in the run, then its numbers ("12,1001").
    c_.err << Format(Tr("Put card %1$d of %2$d (%3$s) on the reader and press Enter"), card, cards, numbers);
    c_.err.flush();
    const bool ready = ReadInputLine().has_value();
    if (!ready) c_.err << "\n";
    return ready;
  }

  // The summary of a run of several cards, and the run's exit status. A run
  // that leaves an outcome outside the shared record is not done: the
  // journal commits it at the next run, and the status says so meanwhile.
  int Finish(int written, int failed, int cards, std::optional<int> refused) {
    const bool interrupted = InterruptCount() > 0;
    const bool nothingTried = written == 0 && failed == 0 && refused;
    const int journalled = StillJournalled();
    if ((cards > 1 || o_.command == Command::Batch) && !nothingTried) {
      const std::string tally = BatchTallyText(written, failed);
      std::string summary;
      if (written == cards)
        // TRANSLATORS: the tally "3 written, no failed attempts along the way".
        summary = Format(Tr("Batch complete: %s"), tally);
      else if (interrupted)
        // TRANSLATORS: the tally "3 written, no failed attempts along the
        // way", then the cards not written and the cards in all.
        summary = Format(Tr("Stopped by Ctrl+C: %1$s; %2$d of %3$d cards not written"), tally, cards - written, cards);
      else
        // TRANSLATORS: the tally "3 written, 1 failed attempt along the
        // way", then the cards not written and the cards in all.
        summary = Format(Tr("Batch not complete: %1$s; %2$d of %3$d cards not written"), tally, cards - written, cards);
      std::ostream& to = o_.json ? c_.err : c_.out;
      to << summary << SharedCounts() << "\n";
      if (journalled > 0) to << OnlyInJournalText(journalled) << "\n";
    }
    if (interrupted) return kExitInterrupted;
    if (journalled > 0 || keptOut_) return kExitSharedRecord;
    if (refused) return *refused;
    return failed > 0 || written < cards ? kExitCardFailed : kExitOk;
  }

  // The outcomes the journal still holds at the run's end: a later card
  // commits the journal's first, so an early card's "not yet" may be done by
  // then. An unreadable journal counts what this run put in it.
  int StillJournalled() const {
    if (journalled_ == 0 || state_.shared.journalPath.empty()) return journalled_;
    JournalText journal;
    if (ReadJournal(state_.shared.journalPath, journal)) return journalled_;
    return static_cast<int>(journal.entries.size());
  }

  // " (3 written here, 497 at other stations)" of a batch on the shared record.
  std::string SharedCounts() {
    SharedStore* store = state_.shared.store.get();
    EntryStates states;
    if (!store || o_.command != Command::Batch || LookUpEntries(*store, SharedFormatOf(*tab_), state_.cards, states))
      return {};
    const SharedEntryCounts counts = CountEntries(states, store->Station());
    return " " + Format(Tr("(%1$d written here, %2$d at other stations)"), counts.writtenHere,
                        counts.atOtherStations);
  }

  // The resume the record offers is taken with --resume and otherwise
  // declined; every other question is asked at a terminal, and elsewhere gets
  // the answer a window's Enter gives (No where Yes would duplicate a card).
  bool Reply(const std::string& asked, Answer preset) {
    // A question may name another station or a file, as the shared record or the record has them.
    const std::string question = TerminalText(asked, LineBreaks::Kept);
    if (askingResume_) {
      c_.err << kProgram
             // TRANSLATORS: the record's question whether to resume the batch,
             // then the answer --resume gives, or the answer without it.
             << (o_.resume ? Format(Tr("%s Yes (--resume)"), question)
                           : Format(Tr("%s No: give --resume to continue there"), question))
             << "\n";
      return o_.resume;
    }
    if (c_.interactive) {
      // TRANSLATORS: a question asked at the terminal, then the letters to
      // answer it with; the capital one is the answer Enter gives.
      c_.err << (preset == Answer::Yes ? Format(TrCtx("question at a terminal", "%s [Y/n]"), question)
                                       : Format(TrCtx("question at a terminal", "%s [y/N]"), question))
             << " ";
      c_.err.flush();
      const std::optional<std::string> reply = ReadInputLine();
      if (!reply) return false;
      if (reply->empty()) return preset == Answer::Yes;
      return MeansYes(*reply);
    }
    c_.err << kProgram
           // TRANSLATORS: a question no one is there to answer, then the answer it gets.
           << (preset == Answer::Yes ? Format(TrCtx("question answered for the operator", "%s Yes"), question)
                                     : Format(TrCtx("question answered for the operator", "%s No"), question))
           << "\n";
    return preset == Answer::Yes;
  }

  // A reply typed at the terminal that starts with y or Y, or with a letter
  // that means Yes in the operator's language.
  static bool MeansYes(const std::string& reply) {
    // TRANSLATORS: the first letters of this language's Yes, small and
    // capital, separated by "|", as typed to answer "[Y/n]"; y and Y always
    // mean Yes as well.
    const std::string letters = TrCtx("letters typed for Yes", "y|Y");
    for (std::size_t start = 0; start <= letters.size();) {
      const std::size_t bar = std::min(letters.find('|', start), letters.size());
      const std::string letter = letters.substr(start, bar - start);
      if (!letter.empty() && reply.starts_with(letter)) return true;
      start = bar + 1;
    }
    return reply.front() == 'y' || reply.front() == 'Y';
  }

  void Tell(const std::vector<ConsoleHost::Message>& messages) {
    for (const ConsoleHost::Message& message : messages) Say(Trimmed(message.text));
  }

  // A message on standard error. Its words may carry text from outside (a
  // station's name, a path, a server's reason), shown without its controls.
  void Say(const std::string& message) { c_.err << kProgram << TerminalText(message, LineBreaks::Kept) << "\n"; }

  static std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
  }

  std::string Tinted(const std::string& line, BannerTone tone) const {
    return c_.colour ? Coloured(line, tone) : line;
  }

  const Options& o_;
  Console& c_;
  FormState state_;
  std::unique_ptr<SystemSerialLink> link_;
  ConsoleHost host_;
  const TabSpec* tab_ = nullptr;
  bool askingResume_ = false;  // the question now asked is the record's offer to resume
  int journalled_ = 0;         // cards of this run whose outcome went to the journal
  int notPrinted_ = 0;         // cards of a batch refused for their printed number
  std::vector<std::string> printedLines_;  // --printed-from, a card's printed number a line
  std::size_t printedTaken_ = 0;
  bool keptOut_ = false;       // a card of this run whose outcome the shared record has not, nor the journal
};

}  // namespace

int RunCommand(const Options& options, Console& console) { return Run(options, console).Go(); }

}  // namespace vx::cli
