#include "operations/shared_record_flow.h"

#include <cctype>

#include "cardlist/card_file.h"
#include "operations/shared_batch.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "operations/write_guards.h"
#include "store/store_columns.h"
#include "store/store_journal.h"
#include "i18n/ascii_case.h"

namespace vx {

namespace {


void RefuseWithBanner(Device& dev, const std::string& text) { dev.host.ShowResult({"\u2718 " + text, BannerTone::Bad}); }

WrittenCard WrittenOf(const CredentialRow& row) { return {row.writtenAt, row.source, row.entry, row.printedNumber}; }

}  // namespace

std::string SharedFormatName(std::string_view format) { return AsciiUppered(format); }

Credential CredentialOf(std::string_view format, const CardNumbers& card) {
  return {SharedFormatName(format), card.facilityCode, card.cardNumber};
}

std::string StoreStopText(const StoreFault& fault) {
  if (fault.refused) {
    // TRANSLATORS: the server answered but will not take this card, for
    // good; %1$s is where the store is (db1), %2$s the reason (the database
    // driver's own words, or the column a value is too long for).
    return Format(Tr("The shared record refused the card: %1$s: %2$s. Nothing was written."), fault.where,
                  fault.Reason());
  }
  // TRANSLATORS: %1$s is where the store is (a server or a data source, e.g.
  // db1), %2$s the database driver's own words.
  return Format(Tr("The shared record cannot be reached: %1$s: %2$s. Nothing was written."), fault.where,
                fault.Reason());
}

std::string HeldElsewhereText(const CardNumbers& card, const std::string& station) {
  // TRANSLATORS: %1$s is the card's numbers ("12,1000"), %2$s the other station's name.
  return Format(Tr("Not written: %1$s is being written at station %2$s"), card.PairText(), station);
}

std::string UnsettledQuestion(const CardNumbers& card, std::string_view format, const CredentialRow& row) {
  if (row.entry > 0) {
    // TRANSLATORS: %1$s is the card's numbers ("12,1000"), %2$s its format
    // (HID26), %3$s the station, %4$s when it was reserved, %5$d its entry in
    // the card-number file %6$s.
    return Format(Tr("%1$s (%2$s) was left unsettled by an earlier run at station %3$s (%4$s, entry %5$d of %6$s): "
                     "a card may hold it. Write it again?"),
                  card.PairText(), format, row.station, row.reservedAt, row.entry, row.source);
  }
  // TRANSLATORS: %1$s is the card's numbers ("12,1000"), %2$s its format
  // (HID26), %3$s the station, %4$s when it was reserved; the card was typed in.
  return Format(Tr("%1$s (%2$s) was left unsettled by an earlier run at station %3$s (%4$s, typed): a card may hold "
                   "it. Write it again?"),
                card.PairText(), format, row.station, row.reservedAt);
}

void StopForStore(Device& dev, const StoreFault& fault) {
  dev.state.shared.stoppedBy = fault;
  const std::string text = StoreStopText(fault);
  if (!dev.host.Closing()) dev.host.ShowRefusal(Refusal::SharedRecord, text);
  dev.host.ShowResult({"\u2718 " + text, BannerTone::Bad});
}

bool JournalTakenFirst(Device& dev) {
  SharedRecordState& shared = dev.state.shared;
  if (!shared.store || shared.journalPath.empty()) return true;
  const JournalReplay replay = ReplayJournal(shared.journalPath, *shared.store);
  if (!replay.told.empty() && !dev.host.Closing()) dev.host.ShowMessage(replay.Told());
  if (replay.fault) StopForStore(dev, *replay.fault);
  return !replay.fault;
}

ReserveStep ReserveBeforeWrite(Device& dev, const CardBinding& b, const CardNumbers& card, bool fromList) {
  SharedRecordState& shared = dev.state.shared;
  SharedStore& store = *shared.store;
  const CardList& list = dev.state.cards;
  const std::string source = fromList ? list.sourcePath : std::string(kTypedSource);
  const int entry = fromList ? list.CardCursor + 1 : 0;
  const Credential credential = CredentialOf(b.format, card);
  // A printed number the operator gives is digits checked to fit; a card
  // file's is its own.
  static_assert(kPrintedNumberDigits <= static_cast<std::size_t>(kPrintedColumnLength));
  const std::string printed =
      fromList && !list.UsedUp() ? list.entries[static_cast<std::size_t>(list.CardCursor)].printed : std::string();

  // What this card's rows would hold must fit their columns: a server
  // refuses a value too long for good, and at the settle that would be a
  // card on the reader with nothing in the shared record to say so.
  const std::string station = store.Station();
  if (const auto fault = TooLongForColumns(
          FaultPlaceOf(store.Place()),
          {{"vx_cards.format", kFormatColumnLength, credential.format},
           {"vx_cards.station", kStationColumnLength, station},
           {"vx_cards.source", kSourceColumnLength, source},
           {"vx_attempts.port", kPortColumnLength, dev.portName},
           {"vx_attempts.tab", kTabColumnLength, b.tab},
           {"vx_cards.printed_number", kPrintedColumnLength, printed}})) {
    StopForStore(dev, *fault);
    return ReserveStep::Refused;
  }

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
        RefuseWithBanner(dev, AlreadyWrittenRefusal(card));
        return ReserveStep::Refused;
      }
      break;
    case ReserveVerdict::HeldElsewhere:
      if (fromList) return ReserveStep::PassOver;
      RefuseWithBanner(dev, HeldElsewhereText(card, held.station));
      return ReserveStep::Refused;
    case ReserveVerdict::OwnEarlierRun:
      // Never written again unasked: the card it was written on may hold it.
      if (fromList) return ReserveStep::PassOver;
      if (!dev.host.AskYesNo(UnsettledQuestion(card, credential.format, held), Answer::No)) {
        // TRANSLATORS: %s is the card's numbers ("12,1000").
        RefuseWithBanner(dev, Format(Tr("Not written: %s was left unsettled by an earlier run"), card.PairText()));
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
    // A store lost meanwhile keeps the row as this station's: the next press
    // of the card writes it, as after a failed attempt.
    (void)shared.store->GiveBack(shared.inHand->credential);
  }
  shared.inHand.reset();
}

std::string SharedRecordNote::On(const std::string& banner) const {
  switch (kind) {
    case Kind::None:
      return banner;
    case Kind::NotYet:
      // TRANSLATORS: %s is the banner ("✔ Written and verified: 12,1000").
      return Format(Tr("%s, not yet in the shared record"), banner);
    case Kind::NotTaken:
      // TRANSLATORS: %1$s is the banner ("● Read: 12,1000"), %2$s where the
      // store is (db1), %3$s the database driver's own words.
      return Format(Tr("%1$s, not in the shared record: %2$s: %3$s"), banner, fault.where, fault.reason);
    case Kind::KeptAside:
      // TRANSLATORS: %1$s is the banner ("✔ Written and verified: 12,1000"),
      // %2$s the file that keeps the outcome the shared record refused.
      return Format(Tr("%1$s, not in the shared record (it refused it): kept in %2$s"), banner, keptIn);
  }
  return banner;
}

SharedRecordNote IntoSharedRecord(FormState& state, Host& host, const CardOutcome& outcome, const RecordLine& line) {
  SharedRecordState& shared = state.shared;
  if (!shared.store) return {};
  const Attempt attempt{line, shared.store->Station()};
  if (!IsWrite(outcome.verdict)) {
    if (const auto fault = shared.store->RecordRead(attempt)) return {SharedRecordNote::Kind::NotTaken, *fault, {}};
    return {};
  }
  if (!shared.inHand) return {};
  const SharedRecordState::InHand hand = *shared.inHand;
  shared.inHand.reset();
  const std::optional<StoreFault> fault =
      shared.store->Settle(hand.credential, hand.reservation, outcome.verdict, attempt);
  if (!fault) return {};
  const JournalEntry entry{hand.credential, hand.reservation, outcome.verdict, attempt};
  // Refused for good, it would be refused at every press and stop every card
  // after it: it is kept aside instead, and its reservation stands, so no
  // other station takes the credential. When even that cannot be kept, the
  // journal holds it, and the journal moves it aside at the next press.
  if (fault->refused && !shared.journalPath.empty() && !KeepRefused(shared.journalPath, entry)) {
    const std::string keptIn = RefusedPath(shared.journalPath);
    if (!host.Closing()) host.ShowMessage(RefusedSettleText(entry, *fault, keptIn));
    return {SharedRecordNote::Kind::KeptAside, *fault, keptIn};
  }
  // The card is what it is; the store takes its outcome first thing at the
  // next press. Its reservation stands meanwhile, so no other station takes it.
  const std::optional<std::string> lost = shared.journalPath.empty()
                                              ? std::optional<std::string>(Tr("no journal file"))
                                              : AppendJournal(shared.journalPath, entry);
  if (lost && !host.Closing()) {
    // TRANSLATORS: %1$s is the card's numbers ("12,1000"), %2$s why the
    // journal could not keep it.
    host.ShowMessage(Format(Tr("The outcome of %1$s cannot be kept for the shared record: %2$s. Its reservation "
                               "stands as this station's until the card is checked."),
                            outcome.sent.value_or(CardNumbers{}).PairText(), *lost));
  }
  return {SharedRecordNote::Kind::NotYet, {}, {}};
}

}  // namespace vx
