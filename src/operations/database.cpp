#include "operations/database.h"

#include <algorithm>
#include <filesystem>

#include "operations/card_feed.h"
#include "cardlist/card_file.h"
#include "cardlist/card_repeats.h"
#include "operations/shared_batch.h"
#include "operations/tabs.h"
#include "operations/record_control.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "platform/utf8_path.h"

namespace vx {

namespace {

// TRANSLATORS: the card-number list holds no pair.
constexpr LazyText kEmpty = TrLater("Empty!");

// Every HID format starts from the first entry, so a later typed-mode write on
// any HID tab carries on from it. The EM4100 tab keeps its own texts.
void StartEveryHidFormatAt(FormatTable& formats, const CardEntry& first) {
  const std::string fc = FacilityCodeText(first);
  const std::string cn = CardNumberText(first);
  for (FormatRow& row : formats.rows) {
    row.FcText = fc;
    row.CnText = cn;
  }
}

std::string FileNameOf(const std::string& path) {
  return Utf8OfPath(PathOfUtf8(path).filename());
}

// How many entries of the list the record has as written, in any format (the
// file feeds every tab), other than by this file's own batch at that entry:
// those are the resume offer's business.
int EntriesWrittenElsewhere(const CardList& list, const RecordIndex& index) {
  int written = 0;
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    const CardEntry& entry = list.entries[i];
    if (entry.facilityCode < 0 || !(entry.cardNumber >= 0)) continue;
    if (index.WrittenOtherThan(static_cast<std::uint64_t>(entry.facilityCode),
                               static_cast<std::uint64_t>(entry.cardNumber), list.sourcePath,
                               static_cast<int>(i) + 1))
      ++written;
  }
  return written;
}

// The same count in the shared record: other stations draining the same file
// write its entries at those entries, which is the batch's own business.
std::optional<int> EntriesWrittenInSharedRecord(FormState& state) {
  SharedStore& store = *state.shared.store;
  const CardList& list = state.cards;
  std::vector<bool> written(list.entries.size(), false);
  for (const TabSpec& tab : kTabs) {
    EntryStates states;
    if (LookUpEntries(store, SharedFormatOf(tab), list, states)) return std::nullopt;
    for (std::size_t i = 0; i < states.rows.size() && i < written.size(); ++i) {
      const std::optional<CredentialRow>& row = states.rows[i];
      if (row && row->state == CredentialState::Written &&
          !(row->source == list.sourcePath && row->entry == static_cast<int>(i) + 1))
        written[i] = true;
    }
  }
  return static_cast<int>(std::count(written.begin(), written.end(), true));
}

// What the operator should know of a file before writing from it: the pairs
// it lists more than once, and with a record kept, how much of it is issued.
std::string CardFileNotes(FormState& state, Host& host, const std::string& path) {
  const std::string name = FileNameOf(path);
  std::string text = RepeatedPairsText(FindRepeatedPairs(state.cards.entries), name);
  if (state.shared.store) {
    const std::optional<int> written = EntriesWrittenInSharedRecord(state);
    if (!written || *written == 0) return text;
    if (!text.empty()) text += "\n\n";
    // TRANSLATORS: %1$d of the %2$d entries of the card-number file %3$s.
    return text + Format(Tr("The shared record already has %1$d of the %2$d entries of %3$s as written (typed, from "
                            "another file or at another entry). Write Card passes over those of other stations and "
                            "asks before writing one again."),
                         *written, state.cards.CardCount, name);
  }
  if (state.recordPath.empty() || !BringRecordIndexUpToDate(state, host)) return text;
  const int written = EntriesWrittenElsewhere(state.cards, state.recordIndex);
  if (written == 0) return text;
  if (!text.empty()) text += "\n\n";
  // TRANSLATORS: %1$d of the %2$d entries of the card-number file %3$s.
  return text + Format(Tr("The card record already has %1$d of the %2$d entries of %3$s as written (typed, from "
                          "another file or at another entry). Write Card asks before writing one again."),
                       written, state.cards.CardCount, name);
}

}  // namespace

void Check1_Click(FormState& state, Host& host) {
  (void)state;  // the list and its cursor carry on across unticking and ticking
  host.SetDatabaseFrameVisible(host.UseDatabaseTicked());
}

void Command2_Click(FormState& state, Host& host) {
  BusyGuard busy(state);  // the boxes' validators stay idle while the boxes are filled
  if (!busy.Taken()) return;

  // A cancelled dialog or a file that cannot be used leaves the loaded list,
  // its cursor and the path as they were: a batch is never lost by a misclick.
  const std::optional<std::string> path = host.ChooseCardFile();
  if (!path) return;
  CardFileResult result = ReadCardFile(*path);
  if (result.error) {
    host.ShowMessage(result.error->Message());
    return;
  }

  host.SetDatabasePath(*path);
  CardList& list = state.cards;
  list.entries = std::move(result.entries);
  list.CardCount = static_cast<std::int16_t>(list.entries.size());  // at most kCardListCapacity
  list.CardCursor = 0;
  list.sourcePath = FullPathOf(*path);
  state.tally = {};
  if (const TabSpec* front = TabAt(host.FrontTab()))
    ReportSharedBatchProgress(state, host, SharedFormatOf(*front));
  else
    ReportBatchProgress(list, host);

  if (list.entries.empty()) {
    host.ShowMessage(kEmpty);
    return;
  }
  const CardEntry& first = list.entries.front();
  StartEveryHidFormatAt(state.formats, first);
  if (const TabSpec* front = TabAt(host.FrontTab())) {
    host.SetBoxText(front->fcBox, FacilityCodeText(first));
    host.SetBoxText(front->cnBox, CardNumberText(first));
  }
  const std::string notes = CardFileNotes(state, host, *path);
  if (!notes.empty()) host.ShowMessage(notes);
  // With a record kept, a file begun earlier may carry on where it stopped.
  OfferResume(state, host);
}

}  // namespace vx
