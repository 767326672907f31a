#include "operations/shared_batch.h"

#include "operations/card_feed.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

namespace {

// The credential an entry stands for, when a card can carry it at all.
std::optional<CardNumbers> NumbersOf(const CardEntry& entry) {
  if (entry.facilityCode < 0 || !(entry.cardNumber >= 0) || entry.cardNumber > 4294967295.0) return std::nullopt;
  const auto cn = static_cast<std::uint32_t>(entry.cardNumber);
  if (static_cast<double>(cn) != entry.cardNumber) return std::nullopt;
  return CardNumbers{static_cast<std::uint32_t>(entry.facilityCode), cn};
}

}  // namespace

std::string SharedFormatOf(const TabSpec& tab) {
  return std::string(CardFormatOf(tab));
}

bool LeftToOthers(const CredentialRow& row, const std::string& station, const std::string& source, int entry) {
  if (row.station != station) return true;
  return row.state == CredentialState::Written && row.source == source && row.entry == entry;
}

std::optional<StoreFault> LookUpEntries(SharedStore& store, const std::string& format, const CardList& list,
                                        EntryStates& states) {
  std::vector<CardNumbers> cards;
  std::vector<std::size_t> at;  // the entry of each card asked about
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    if (const auto numbers = NumbersOf(list.entries[i])) {
      cards.push_back(*numbers);
      at.push_back(i);
    }
  }
  EntryStates found;
  if (auto fault = store.FindMany(format, cards, found)) return fault;
  states.rows.assign(list.entries.size(), std::nullopt);
  for (std::size_t k = 0; k < at.size() && k < found.rows.size(); ++k) states.rows[at[k]] = found.rows[k];
  return std::nullopt;
}

SharedEntryCounts CountEntries(const EntryStates& states, const std::string& station) {
  SharedEntryCounts counts;
  for (const std::optional<CredentialRow>& row : states.rows) {
    if (!row) continue;
    if (row->station != station)
      ++counts.atOtherStations;
    else if (row->state == CredentialState::Written)
      ++counts.writtenHere;
  }
  return counts;
}

std::string SharedBatchProgressText(const CardList& list, const SharedEntryCounts& counts) {
  if (list.CardCount <= 0) return BatchProgressText(list);
  if (list.UsedUp()) {
    // TRANSLATORS: the batch line with the shared record on; %1$d is the
    // entries written at this station, %2$d those at other stations.
    return Format(Tr("No free card left (%1$d written here, %2$d at other stations)"), counts.writtenHere,
                  counts.atOtherStations);
  }
  // TRANSLATORS: the batch line with the shared record on; %1$d is the entry
  // written next, %2$d the cards of the list, %3$d the entries written at this
  // station, %4$d those at other stations.
  return Format(Tr("Next card: %1$d of %2$d (%3$d written here, %4$d at other stations)"), list.CardCursor + 1,
                list.CardCount, counts.writtenHere, counts.atOtherStations);
}

void ReportSharedBatchProgress(FormState& state, Host& host, const std::string& format) {
  SharedStore* store = state.shared.store.get();
  EntryStates states;
  if (!store || state.cards.CardCount <= 0 || LookUpEntries(*store, format, state.cards, states)) {
    ReportBatchProgress(state.cards, host);
    return;
  }
  host.ShowBatchProgress(SharedBatchProgressText(state.cards, CountEntries(states, store->Station())));
}

bool PassOverTakenEntries(FormState& state, Host& host, const std::string& format, std::string& fcText,
                          std::string& cnText) {
  CardList& list = state.cards;
  SharedStore& store = *state.shared.store;
  EntryStates states;
  if (LookUpEntries(store, format, list, states)) {
    ReportBatchProgress(list, host);
    return TakeCurrentEntry(list, fcText, cnText);
  }
  while (!list.UsedUp() && static_cast<std::size_t>(list.CardCursor) < states.rows.size()) {
    const std::optional<CredentialRow>& row = states.rows[static_cast<std::size_t>(list.CardCursor)];
    if (!row || !LeftToOthers(*row, store.Station(), list.sourcePath, list.CardCursor + 1)) break;
    ++list.CardCursor;
  }
  host.ShowBatchProgress(SharedBatchProgressText(list, CountEntries(states, store.Station())));
  return TakeCurrentEntry(list, fcText, cnText);
}

}  // namespace vx
