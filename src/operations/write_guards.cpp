#include "operations/write_guards.h"

#include "operations/shared_record_flow.h"
#include "record/record_control.h"

namespace vx {

namespace {

std::string Pair(const CardNumbers& card) { return card.FcText() + "," + card.CnText(); }

// "2026-12-01T14:03:12+01:00": the record's time without its milliseconds,
// which no operator compares.
std::string TimeToTheSecond(std::string time) {
  const std::size_t dot = time.find('.', time.find('T'));
  if (dot == std::string::npos) return time;
  const std::size_t end = time.find_first_not_of("0123456789", dot + 1);
  time.erase(dot, (end == std::string::npos ? time.size() : end) - dot);
  return time;
}

std::string SourceOf(const WrittenCard& written) {
  if (written.entry <= 0) return "typed";
  return "entry " + std::to_string(written.entry) + " of " + written.source;
}

std::string AtStation(std::string_view station) {
  return station.empty() ? std::string() : " at station " + std::string(station);
}

void Refuse(Device& dev, const std::string& banner) { dev.host.ShowResult({"\u2718 " + banner, BannerTone::Bad}); }

}  // namespace

void CheckCardFirst_Click(FormState& state, bool ticked) { state.checkCardFirst = ticked; }

std::string AlreadyWrittenQuestion(const CardNumbers& card, std::string_view format, const WrittenCard& written,
                                   std::string_view station) {
  return Pair(card) + " (" + std::string(format) + ") is already written: " + TimeToTheSecond(written.time) +
         AtStation(station) + ", " + SourceOf(written) + ". Write it again?";
}

std::string JustWrittenText(const CardNumbers& card) {
  return "This card was just written as " + Pair(card) + ". Put the next card on the reader.";
}

std::string HoldsWrittenQuestion(const CardNumbers& card, const WrittenCard& written, std::string_view station) {
  return "This card already holds " + Pair(card) + ", written " + TimeToTheSecond(written.time) +
         AtStation(station) + ". Overwrite it?";
}

bool AllowedByRecord(Device& dev, const CardBinding& b, const CardNumbers& card) {
  FormState& state = dev.state;
  // A record that cannot be read goes off with a message, and the write goes
  // on as it does when the record cannot be written.
  if (!BringRecordIndexUpToDate(state, dev.host)) return true;
  const auto written = state.recordIndex.FindWritten(b.format, card.facilityCode, card.cardNumber);
  if (!written) return true;
  if (dev.host.AskYesNo(AlreadyWrittenQuestion(card, b.format, *written), Answer::No)) return true;
  Refuse(dev, "Not written: " + Pair(card) + " is already written");
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
    dev.host.ShowMessage(text);
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
    written = WrittenCard{row->writtenAt, row->source, row->entry};
    station = row->station;
  } else {
    if (!BringRecordIndexUpToDate(state, dev.host)) return true;
    written = state.recordIndex.FindWritten(b.format, held.facilityCode, held.cardNumber);
    if (!written) return true;
  }
  if (dev.host.AskYesNo(HoldsWrittenQuestion(held, *written, station), Answer::No)) return true;
  Refuse(dev, "Not written: this card already holds " + Pair(held));
  return false;
}

}  // namespace vx
