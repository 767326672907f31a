#include "operations/shared_record_flow.h"

#include <cctype>

#include "cardlist/shared_batch.h"
#include "operations/write_guards.h"
#include "store/store_journal.h"

namespace vx {

namespace {

std::string Pair(const CardNumbers& card) { return card.FcText() + "," + card.CnText(); }

void Refuse(Device& dev, const std::string& text) { dev.host.ShowResult({"\u2718 " + text, BannerTone::Bad}); }

WrittenCard WrittenOf(const CredentialRow& row) { return {row.writtenAt, row.source, row.entry}; }

std::string SourceOf(const CredentialRow& row) {
  return row.entry > 0 ? "entry " + std::to_string(row.entry) + " of " + row.source : std::string(kTypedSource);
}

}  // namespace

std::string SharedFormatName(std::string_view format) {
  std::string name(format);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

Credential CredentialOf(std::string_view format, const CardNumbers& card) {
  return {SharedFormatName(format), card.facilityCode, card.cardNumber};
}

std::string StoreStopText(const StoreFault& fault) { return fault.Message() + " Nothing was written."; }

std::string HeldElsewhereText(const CardNumbers& card, const std::string& station) {
  return "Not written: " + Pair(card) + " is being written at station " + station;
}

std::string UnsettledQuestion(const CardNumbers& card, std::string_view format, const CredentialRow& row) {
  return Pair(card) + " (" + std::string(format) + ") was left unsettled by an earlier run at station " +
         row.station + " (" + row.reservedAt + ", " + SourceOf(row) +
         "): a card may hold it. Write it again?";
}

void StopForStore(Device& dev, const StoreFault& fault) {
  dev.state.shared.stoppedBy = fault;
  const std::string text = StoreStopText(fault);
  if (!dev.host.Closing()) dev.host.ShowMessage(text);
  dev.host.ShowResult({"\u2718 " + text, BannerTone::Bad});
}

bool JournalTakenFirst(Device& dev) {
  SharedRecordState& shared = dev.state.shared;
  if (!shared.store || shared.journalPath.empty()) return true;
  const std::optional<StoreFault> fault = ReplayJournal(shared.journalPath, *shared.store);
  if (fault) StopForStore(dev, *fault);
  return !fault;
}

ReserveStep ReserveBeforeWrite(Device& dev, const CardBinding& b, const CardNumbers& card, bool fromList) {
  SharedRecordState& shared = dev.state.shared;
  SharedStore& store = *shared.store;
  const CardList& list = dev.state.cards;
  const std::string source = fromList ? list.sourcePath : std::string(kTypedSource);
  const int entry = fromList ? list.CardCursor + 1 : 0;
  const Credential credential = CredentialOf(b.format, card);

  Reservation reservation;
  if (const auto fault = store.Reserve(credential, source, entry, reservation)) {
    StopForStore(dev, *fault);
    return ReserveStep::Refused;
  }
  const CredentialRow held = reservation.existing.value_or(CredentialRow{});
  switch (reservation.verdict) {
    case ReserveVerdict::Won:
    case ReserveVerdict::OwnThisRun:
      break;
    case ReserveVerdict::WrittenBefore:
      if (fromList && LeftToOthers(held, store.Station(), source, entry)) return ReserveStep::PassOver;
      if (!dev.host.AskYesNo(AlreadyWrittenQuestion(card, credential.format, WrittenOf(held), held.station),
                             Answer::No)) {
        Refuse(dev, "Not written: " + Pair(card) + " is already written");
        return ReserveStep::Refused;
      }
      break;
    case ReserveVerdict::HeldElsewhere:
      if (fromList) return ReserveStep::PassOver;
      Refuse(dev, HeldElsewhereText(card, held.station));
      return ReserveStep::Refused;
    case ReserveVerdict::OwnEarlierRun:
      // Never written again unasked: the card it was written on may hold it.
      if (fromList) return ReserveStep::PassOver;
      if (!dev.host.AskYesNo(UnsettledQuestion(card, credential.format, held), Answer::No)) {
        Refuse(dev, "Not written: " + Pair(card) + " was left unsettled by an earlier run");
        return ReserveStep::Refused;
      }
      break;
  }
  shared.inHand = SharedRecordState::InHand{credential, reservation};
  return ReserveStep::Write;
}

void GiveBackUnsent(FormState& state) {
  SharedRecordState& shared = state.shared;
  if (shared.store && shared.inHand && shared.inHand->reservation.verdict == ReserveVerdict::Won) {
    bool released = false;
    // A store lost meanwhile keeps the row as this station's: the next press
    // of the card writes it, as after a failed attempt.
    (void)shared.store->Release(shared.inHand->credential, released);
  }
  shared.inHand.reset();
}

std::string IntoSharedRecord(FormState& state, Host& host, const CardOutcome& outcome, const RecordLine& line) {
  SharedRecordState& shared = state.shared;
  if (!shared.store) return {};
  const Attempt attempt{line, shared.store->Station()};
  if (!IsWrite(outcome.verdict)) {
    if (const auto fault = shared.store->RecordRead(attempt))
      return ", not in the shared record: " + fault->where + ": " + fault->reason;
    return {};
  }
  if (!shared.inHand) return {};
  const SharedRecordState::InHand hand = *shared.inHand;
  shared.inHand.reset();
  if (!shared.store->Settle(hand.credential, hand.reservation, outcome.verdict, attempt)) return {};
  // The card is what it is; the store takes its outcome first thing at the
  // next press. Its reservation stands meanwhile, so no other station takes it.
  const JournalEntry entry{hand.credential, hand.reservation, outcome.verdict, attempt};
  const std::optional<std::string> lost = shared.journalPath.empty()
                                              ? std::optional<std::string>("no journal file")
                                              : AppendJournal(shared.journalPath, entry);
  if (lost && !host.Closing())
    host.ShowMessage("The outcome of " + Pair(outcome.sent.value_or(CardNumbers{})) +
                     " cannot be kept for the shared record: " + *lost +
                     ". Its reservation stands as this station's until the card is checked.");
  return kNotYetShared;
}

}  // namespace vx
