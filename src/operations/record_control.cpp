#include "operations/record_control.h"

#include "operations/card_feed.h"
#include "operations/printed_check.h"
#include "operations/tabs.h"
#include "platform/text_file.h"
#include "record/record_file.h"
#include "record/record_resume.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

namespace {

// Entry `index` becomes the card every HID format and the tab in front start
// from, as a fresh Browse does with the first entry.
void StartAtEntry(FormState& state, Host& host, std::int16_t index) {
  CardList& list = state.cards;
  list.CardCursor = index;
  std::string fc, cn;
  if (TakeCurrentEntry(list, fc, cn)) {
    for (FormatRow& row : state.formats.rows) {
      row.FcText = fc;
      row.CnText = cn;
    }
    if (const TabSpec* front = TabAt(host.FrontTab())) {
      host.SetBoxText(front->fcBox, fc);
      host.SetBoxText(front->cnBox, cn);
    }
  }
  ReportBatchProgress(list, host);
}

}  // namespace

void KeepRecord_Click(FormState& state, Host& host, bool ticked) {
  BusyGuard busy(state);
  if (!busy.Taken()) {
    // A device operation is waiting: the box goes back to what it was.
    host.SetKeepRecord(!state.recordPath.empty(), state.recordPath);
    return;
  }
  if (!ticked) {
    state.recordPath.clear();
    state.recordIndex.Close();
    host.SetKeepRecord(false, "");
    return;
  }
  const std::optional<std::string> path = host.ChooseRecordFile();
  if (!path) {
    host.SetKeepRecord(false, "");
    return;
  }
  if (const auto error = StartRecord(*path, PrintedNumbersInUse(state))) {
    host.SetKeepRecord(false, "");
    host.ShowMessage(error->Message());
    return;
  }
  state.recordPath = *path;
  host.SetKeepRecord(true, *path);
  // Indexed now, so the look-up before each write reads only what is new.
  if (!BringRecordIndexUpToDate(state, host)) return;
  if (state.cards.CardCount > 0) OfferResume(state, host);
}

bool BringRecordIndexUpToDate(FormState& state, Host& host) {
  if (state.recordPath.empty()) return false;
  RecordIndex& index = state.recordIndex;
  if (index.Path() != state.recordPath) index.Open(state.recordPath);
  const std::optional<std::string> problem = index.Refresh();
  if (!problem) return true;
  const std::string path = state.recordPath;
  state.recordPath.clear();
  index.Close();
  host.SetKeepRecord(false, "");
  if (!host.Closing())
    // TRANSLATORS: %1$s is the record file, %2$s why it cannot be read.
    host.ShowMessage(Format(Tr("The card record cannot be read:\n%1$s\n%2$s\n\n\"Keep Record\" is now off; cards "
                               "already written cannot be found in it."),
                            path, *problem));
  return false;
}

void OfferResume(FormState& state, Host& host) {
  CardList& list = state.cards;
  if (state.recordPath.empty() || list.CardCount <= 0) return;
  const TextFileResult record = ReadTextFile(state.recordPath, kRecordMaxBytes, TrCtx("file kind", "a card record"));
  if (!record.content) {
    // TRANSLATORS: %1$s is the record file, %2$s why it cannot be read.
    host.ShowMessage(Format(Tr("The card record cannot be read:\n%1$s\n(%2$s)\n\nThe batch starts at entry 1; no entry "
                               "already written can be skipped."),
                            state.recordPath, record.problem));
    return;
  }
  const ResumePoint point = FindResumePoint(*record.content, list.sourcePath, list.entries);
  // A batch already past the written entries (the record was ticked mid-batch)
  // is never sent back over cards it has written.
  const bool alreadyPast = point.written <= list.CardCursor;
  switch (point.kind) {
    case ResumePoint::Kind::Nothing:
      return;
    case ResumePoint::Kind::Continue:
      if (alreadyPast) return;
      if (host.AskYesNo(ResumeQuestion(point), Answer::Yes)) {
        // The batch's count of failed attempts carries on across the restart.
        state.tally.failedAttempts = point.failedAttempts;
        StartAtEntry(state, host, static_cast<std::int16_t>(point.written));
      }
      return;
    case ResumePoint::Kind::AllWritten:
      if (alreadyPast) return;
      host.ShowMessage(ResumeQuestion(point));
      list.CardCursor = list.CardCount;
      ReportBatchProgress(list, host);
      return;
    case ResumePoint::Kind::Changed:
      host.ShowMessage(ResumeQuestion(point));
      return;
  }
}

}  // namespace vx
