#include "operations/card_exchange.h"

#include <optional>
#include <string>

#include "operations/card_feed.h"
#include "operations/shared_batch.h"
#include "operations/operation_texts.h"
#include "operations/outcome_views.h"
#include "operations/printed_check.h"
#include "operations/shared_record_flow.h"
#include "operations/write_guards.h"

namespace vx {

namespace {

// A closing window drops message boxes; showing none keeps the last word with
// the operator's own action.
void Tell(Device& dev, Refusal why, const std::string& text) {
  if (!dev.host.Closing()) dev.host.ShowRefusal(why, text);
}

// Shows the numbers a card carries in the tab's boxes and logs "fc,cn" as the
// boxes now hold it.
void ShowCardNumbers(Device& dev, const CardBinding& b, const CardNumbers& numbers) {
  dev.host.SetBoxText(b.fcBox, numbers.FcText());
  dev.host.SetBoxText(b.cnBox, numbers.CnText());
  dev.host.LogLine(dev.host.BoxText(b.fcBox) + "," + dev.host.BoxText(b.cnBox));
}

// After a confirmed write: the next card is the next list entry when this card
// came from the list and "Use Database" is still ticked, else the next number.
void AdvanceToNextCard(Device& dev, const CardBinding& b, bool cardFromList, std::uint32_t writtenCn) {
  CardList& list = dev.state.cards;
  // Only a card taken from the list may move the cursor: a typed card written
  // while "Use Database" was ticked meanwhile must not skip an entry.
  if (cardFromList && dev.host.UseDatabaseTicked()) {
    bool more = AdvanceCursor(list, *b.fcText, *b.cnText);
    if (dev.state.shared.store)
      more = PassOverTakenEntries(dev.state, dev.host, SharedFormatName(b.format), *b.fcText, *b.cnText);
    else
      ReportBatchProgress(list, dev.host);
    if (more) {
      dev.host.SetBoxText(b.fcBox, *b.fcText);
      dev.host.SetBoxText(b.cnBox, *b.cnText);
    } else {
      Tell(dev, Refusal::ListEnd, texts::kCardEnd);
    }
    return;
  }
  *b.cnText = std::to_string(static_cast<std::uint64_t>(writtenCn) + 1);
  dev.host.SetBoxText(b.cnBox, *b.cnText);
  ReportSharedBatchProgress(dev.state, dev.host, SharedFormatName(b.format));
}

// The facts an outcome starts from: where it went and in which format.
CardOutcome OutcomeOf(const Device& dev, const CardBinding& b) {
  CardOutcome outcome;
  outcome.port = dev.portName;
  outcome.tab = b.tab;
  outcome.format = b.format;
  outcome.params = b.params;
  if (dev.state.shared.store) outcome.station = dev.state.shared.store->Station();
  return outcome;
}

// The verdict goes to the record and the banner before List1 shows it.
void Decide(Device& dev, CardOutcome& outcome, CardVerdict verdict) {
  outcome.verdict = verdict;
  TakeOutcome(dev.state, dev.host, outcome);
}

// The card to write: typed, or the entry under the cursor, range-checked and
// let through by the guards of the record (the shared record's, when it is
// on). An entry of the list that the shared record leaves to other stations
// is passed over to the next. Nothing when the press ends here.
std::optional<CardNumbers> ChooseCard(Device& dev, const CardBinding& b, bool cardFromList) {
  CardList& list = dev.state.cards;
  const std::int16_t startedAt = list.CardCursor;
  // Entries passed over are gone for this station: the boxes and the batch
  // line follow the cursor, whatever becomes of the press.
  const auto showPassedOver = [&] {
    if (list.CardCursor == startedAt) return;
    if (!list.UsedUp()) {
      dev.host.SetBoxText(b.fcBox, *b.fcText);
      dev.host.SetBoxText(b.cnBox, *b.cnText);
    }
    ReportSharedBatchProgress(dev.state, dev.host, SharedFormatName(b.format));
  };
  for (;;) {
    if (cardFromList && !TakeCurrentEntry(list, *b.fcText, *b.cnText)) {
      showPassedOver();
      Tell(dev, Refusal::ListEnd, texts::kCardEnd);
      return std::nullopt;
    }
    const auto fc = WholeNumberUpTo(*b.fcText, b.fcLimit);
    const auto cn = fc ? WholeNumberUpTo(*b.cnText, b.cnLimit) : std::nullopt;
    if (!fc || !cn) {
      showPassedOver();
      if (!fc)
        Tell(dev, Refusal::FacilityCode, texts::kFacilityCodeError);
      else
        Tell(dev, Refusal::CardNumber, texts::kCardNumberError);
      return std::nullopt;
    }
    const CardNumbers card{*fc, *cn};
    // A card already issued stops the write here: nothing is written and
    // nothing advances.
    if (!dev.state.shared.store) {
      if (!AllowedByRecord(dev, b, card)) return std::nullopt;
      return card;
    }
    switch (ReserveBeforeWrite(dev, b, card, cardFromList)) {
      case ReserveStep::Write:
        showPassedOver();
        return card;
      case ReserveStep::Refused:
        showPassedOver();
        return std::nullopt;
      case ReserveStep::PassOver:
        ++list.CardCursor;
        break;
    }
  }
}

}  // namespace

void WriteCard(Device& dev, const CardBinding& b) {
  BusyGuard busy(dev.state);
  if (!busy.Taken()) return;
  dev.state.shared.stoppedBy.reset();
  dev.state.shared.inHand.reset();
  // An outcome the shared record has not yet taken goes in before any other card.
  if (!JournalTakenFirst(dev)) return;
  if (!OpenDevicePort(dev)) return;
  PortCloser port(dev);

  // The mode is read now and again after the read-back: the operator may
  // switch it while the device works.
  const bool cardFromList = dev.host.UseDatabaseTicked();
  const std::optional<CardNumbers> chosen = ChooseCard(dev, b, cardFromList);
  if (!chosen) return;
  const CardNumbers card = *chosen;
  // The card in hand is not the one printed for these numbers: nothing is
  // sent, before even the read of "Check Card First".
  const PrintedCheck printed = CheckPrintedNumber(dev, card, cardFromList);
  if (!printed.allowed) {
    GiveBackUnsent(dev.state);
    return;
  }
  // A card on the reader that must not be lost stops the write here.
  if (!AllowedByCardOnReader(dev, b)) {
    GiveBackUnsent(dev.state);
    return;
  }

  CardOutcome outcome = OutcomeOf(dev, b);
  outcome.sent = card;
  outcome.printed = printed.printed;
  if (cardFromList) {
    const CardList& list = dev.state.cards;
    outcome.entry = list.CardCursor + 1;
    outcome.listLength = list.CardCount;
    outcome.listFile = list.sourcePath;
  }

  const Bytes write = WriteCardCommand(b.params, b.encode(card.facilityCode, card.cardNumber));
  if (!AwaitReply(dev, write, ReplyKind::WriteAck).accepted()) {
    Decide(dev, outcome, CardVerdict::NoAcknowledgement);
    dev.host.LogLine(texts::kWriteFail);
    return;
  }

  Settle(dev);
  // A window that closed during the pause will not see the answer: the read-back
  // counts as timed out without being sent.
  const ReplyOutcome readBack = dev.host.Closing()
                                    ? ReplyOutcome{}
                                    : AwaitReply(dev, ReadCardCommand(b.params), ReplyKind::CardData);
  switch (readBack.status) {
    case ReplyOutcome::Status::TimedOut:
      Decide(dev, outcome, CardVerdict::NoReadBack);
      dev.host.LogLine(texts::kReadBackFail);
      break;
    case ReplyOutcome::Status::Rejected:
      // The device answered, but not with card data: nothing to show, nothing advanced.
      Decide(dev, outcome, CardVerdict::ReadBackRefused);
      dev.host.SelectLastLine();
      break;
    case ReplyOutcome::Status::Accepted: {
      const CardNumbers read = b.decode(CardDataOf(readBack.reply));
      outcome.read = read;
      const bool holdsWhatWasSent = read.facilityCode == card.facilityCode && read.cardNumber == card.cardNumber;
      Decide(dev, outcome, holdsWhatWasSent ? CardVerdict::Written : CardVerdict::VerifyFailed);
      ShowCardNumbers(dev, b, read);
      if (!holdsWhatWasSent) {
        // The card does not hold what was sent: it is not a good card, and the
        // next press writes the same numbers again, as the boxes now show.
        dev.host.LogLine(texts::kVerifyFail);
        dev.host.SetBoxText(b.fcBox, *b.fcText);
        dev.host.SetBoxText(b.cnBox, *b.cnText);
        break;
      }
      dev.host.LogLine(texts::kWriteSuccess);
      dev.state.lastWritten = LastWrittenCard{b.format, card.facilityCode, card.cardNumber};
      AdvanceToNextCard(dev, b, cardFromList, card.cardNumber);
      dev.host.SelectLastLine();
      break;
    }
  }
}

void ReadCard(Device& dev, const CardBinding& b) {
  BusyGuard busy(dev.state);
  if (!busy.Taken()) return;
  if (!OpenDevicePort(dev)) return;
  PortCloser port(dev);

  CardOutcome outcome = OutcomeOf(dev, b);
  const ReplyOutcome reply = AwaitReply(dev, ReadCardCommand(b.params), ReplyKind::CardData);
  switch (reply.status) {
    case ReplyOutcome::Status::Accepted:
      outcome.read = b.decode(CardDataOf(reply.reply));
      Decide(dev, outcome, CardVerdict::Read);
      ShowCardNumbers(dev, b, *outcome.read);
      break;
    case ReplyOutcome::Status::TimedOut:
      Decide(dev, outcome, CardVerdict::ReadFailed);
      dev.host.LogLine(texts::kReadFail);
      break;
    case ReplyOutcome::Status::Rejected:
      // Whatever the device says when it cannot read a card is passed over in List1.
      Decide(dev, outcome, CardVerdict::ReadRefused);
      if (b.selectAfterRefusedRead) dev.host.SelectLastLine();
      break;
  }
}

}  // namespace vx
