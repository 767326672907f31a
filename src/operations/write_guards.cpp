#include "operations/write_guards.h"

#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "operations/shared_record_flow.h"
#include "operations/record_control.h"

namespace vx {

namespace {


// "2026-12-01T14:03:12+01:00": the record's time without its milliseconds,
// which no operator compares.
std::string TimeToTheSecond(std::string time) {
  const std::size_t dot = time.find('.', time.find('T'));
  if (dot == std::string::npos) return time;
  const std::size_t end = time.find_first_not_of("0123456789", dot + 1);
  time.erase(dot, (end == std::string::npos ? time.size() : end) - dot);
  return time;
}

void Refuse(Device& dev, const std::string& banner) { dev.host.ShowResult({"\u2718 " + banner, BannerTone::Bad}); }

}  // namespace

void CheckCardFirst_Click(FormState& state, bool ticked) { state.checkCardFirst = ticked; }

std::string AlreadyWrittenQuestion(const CardNumbers& card, std::string_view format, const WrittenCard& written,
                                   std::string_view station) {
  const std::string pair = card.PairText();
  const std::string time = TimeToTheSecond(written.time);
  // The record names the card's printed number when it has one: "(HID26,
  // printed 0004711)", the card the operator may hold in hand.
  if (!written.printed.empty())
    // TRANSLATORS: the format of a card already written (HID26), then the
    // number printed on that card ("0004711").
    return AlreadyWrittenQuestion(card, Format(Tr("%1$s, printed %2$s"), format, written.printed),
                                  WrittenCard{written.time, written.source, written.entry, {}}, station);
  // The record names no station; the shared record does. A card from the
  // card-number list names its entry and file, a typed card says so.
  if (station.empty()) {
    if (written.entry <= 0) {
      // TRANSLATORS: %1$s is the card's numbers ("12,1000"), %2$s its format
      // (HID26), %3$s when it was written; it was typed in.
      return Format(Tr("%1$s (%2$s) is already written: %3$s, typed. Write it again?"), pair, format, time);
    }
    // TRANSLATORS: %1$s is the card's numbers ("12,1000"), %2$s its format
    // (HID26), %3$s when it was written, %4$d its entry in the card-number
    // file %5$s.
    return Format(Tr("%1$s (%2$s) is already written: %3$s, entry %4$d of %5$s. Write it again?"), pair, format,
                  time, written.entry, written.source);
  }
  if (written.entry <= 0) {
    // TRANSLATORS: %1$s is the card's numbers ("12,1000"), %2$s its format
    // (HID26), %3$s when it was written, %4$s the station that wrote it; it
    // was typed in.
    return Format(Tr("%1$s (%2$s) is already written: %3$s at station %4$s, typed. Write it again?"), pair, format,
                  time, station);
  }
  // TRANSLATORS: %1$s is the card's numbers ("12,1000"), %2$s its format
  // (HID26), %3$s when it was written, %4$s the station that wrote it, %5$d
  // its entry in the card-number file %6$s.
  return Format(Tr("%1$s (%2$s) is already written: %3$s at station %4$s, entry %5$d of %6$s. Write it again?"), pair,
                format, time, station, written.entry, written.source);
}

std::string JustWrittenText(const CardNumbers& card) {
  // TRANSLATORS: %s is the card's numbers ("12,1000").
  return Format(Tr("This card was just written as %s. Put the next card on the reader."), card.PairText());
}

std::string HoldsWrittenQuestion(const CardNumbers& card, const WrittenCard& written, std::string_view station) {
  const std::string time = TimeToTheSecond(written.time);
  if (station.empty()) {
    // TRANSLATORS: %1$s is the card's numbers ("12,1000"), %2$s when it was written.
    return Format(Tr("This card already holds %1$s, written %2$s. Overwrite it?"), card.PairText(), time);
  }
  // TRANSLATORS: %1$s is the card's numbers ("12,1000"), %2$s when it was
  // written, %3$s the station that wrote it.
  return Format(Tr("This card already holds %1$s, written %2$s at station %3$s. Overwrite it?"), card.PairText(), time,
                station);
}

std::string AlreadyWrittenRefusal(const CardNumbers& card) {
  // TRANSLATORS: %s is the card's numbers ("12,1000").
  return Format(Tr("Not written: %s is already written"), card.PairText());
}

bool AllowedByRecord(Device& dev, const CardBinding& b, const CardNumbers& card) {
  FormState& state = dev.state;
  // A record that cannot be read goes off with a message, and the write goes
  // on as it does when the record cannot be written.
  if (!BringRecordIndexUpToDate(state, dev.host)) return true;
  const auto written = state.recordIndex.FindWritten(b.format, card.facilityCode, card.cardNumber);
  if (!written) return true;
  if (dev.host.AskYesNo(AlreadyWrittenQuestion(card, b.format, *written), Answer::No)) return true;
  Refuse(dev, AlreadyWrittenRefusal(card));
  return false;
}

bool AllowedByCardOnReader(Device& dev, const CardBinding& b) {
  FormState& state = dev.state;
  if (!state.checkCardFirst) return true;
  const ReplyOutcome reply = AwaitReply(dev, ReadCardCommand(b.params), ReplyKind::CardData);
  // A window closing during the read writes nothing more.
  if (dev.host.Closing()) return false;
  // No card answered, or one that is blank or of another format: nothing to lose.
  if (!reply.accepted()) return true;

  const CardNumbers held = b.decode(CardDataOf(reply.reply));
  const std::optional<LastWrittenCard>& last = state.lastWritten;
  if (last && last->format == b.format && last->facilityCode == held.facilityCode &&
      last->cardNumber == held.cardNumber) {
    const std::string text = JustWrittenText(held);
    dev.host.ShowRefusal(Refusal::JustWritten, text);
    Refuse(dev, text);
    return false;
  }
  std::optional<WrittenCard> written;
  std::string station;
  if (SharedStore* store = state.shared.store.get()) {
    std::optional<CredentialRow> row;
    if (const auto fault = store->Find(CredentialOf(b.format, held), row)) {
      StopForStore(dev, *fault);
      return false;
    }
    if (!row || row->state != CredentialState::Written) return true;
    written = WrittenCard{row->writtenAt, row->source, row->entry, {}};
    station = row->station;
  } else {
    if (!BringRecordIndexUpToDate(state, dev.host)) return true;
    written = state.recordIndex.FindWritten(b.format, held.facilityCode, held.cardNumber);
    if (!written) return true;
  }
  if (dev.host.AskYesNo(HoldsWrittenQuestion(held, *written, station), Answer::No)) return true;
  // TRANSLATORS: %s is the numbers the card on the reader holds ("12,1000").
  Refuse(dev, Format(Tr("Not written: this card already holds %s"), held.PairText()));
  return false;
}

}  // namespace vx
