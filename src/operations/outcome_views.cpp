#include "operations/outcome_views.h"

#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "operations/shared_record_flow.h"

#include "record/record_file.h"
#include "record/record_line.h"

namespace vx {

namespace {


}  // namespace

RecordLine RecordLineOf(const CardOutcome& outcome) {
  RecordLine line;
  line.time = RecordTimeNow();
  line.port = outcome.port;
  line.tab = std::string(outcome.tab);
  line.format = outcome.format;
  line.fcBits = outcome.params.p1;
  line.cnBits = outcome.params.p2;
  line.paramY = outcome.params.p3;
  line.paramZ = outcome.params.p4;
  if (outcome.sent) {
    line.facilityCode = outcome.sent->FcText();
    line.cardNumber = outcome.sent->CnText();
  }
  line.source = outcome.entry > 0 ? outcome.listFile : std::string(kTypedSource);
  line.entry = outcome.entry;
  line.outcome = RecordWordOf(outcome.verdict);
  line.printedNumber = outcome.printed;
  if (outcome.read) {
    line.readFacilityCode = outcome.read->FcText();
    line.readCardNumber = outcome.read->CnText();
  }
  return line;
}

std::string BatchTallyText(int written, int failedAttempts) {
  if (failedAttempts == 0) {
    // TRANSLATORS: a batch's tally; %d is the cards written.
    return Format(Tr("%d written, no failed attempts along the way"), written);
  }
  // TRANSLATORS: a batch's tally; %1$d is the cards written, %2$d the failed
  // attempts (the count the plural follows).
  return Format(TrN("%1$d written, %2$d failed attempt along the way",
                    "%1$d written, %2$d failed attempts along the way", static_cast<std::uint64_t>(failedAttempts)),
                written, failedAttempts);
}

ResultBanner BannerOf(const CardOutcome& outcome, const BatchTally& tally) {
  // A card from the list says its place in the batch: "(card 17 of 500)".
  const bool fromList = outcome.entry > 0;
  const int entry = outcome.entry;
  const int length = outcome.listLength;
  const std::string sent = outcome.sent ? outcome.sent->PairText() : std::string();
  const std::string read = outcome.read ? outcome.read->PairText() : std::string();
  // The symbols stay outside the words: they mean the same in every language.
  const auto good = [](const std::string& text) { return ResultBanner{"\u2714 " + text, BannerTone::Good}; };
  const auto bad = [](const std::string& text) { return ResultBanner{"\u2718 " + text, BannerTone::Bad}; };
  switch (outcome.verdict) {
    case CardVerdict::Written:
      if (fromList && entry == length) {
        // TRANSLATORS: the banner after the last card of a batch; %1$s is the
        // batch's tally ("500 written, no failed attempts along the way"),
        // %2$s the last card's numbers ("12,1000").
        return good(Format(Tr("Batch complete: %1$s (last: %2$s)"), BatchTallyText(length, tally.failedAttempts),
                           sent));
      }
      // TRANSLATORS: %1$s is the card's numbers ("12,1000"); %2$d and %3$d
      // its entry in the card-number list and the list's length.
      if (fromList) return good(Format(Tr("Written and verified: %1$s (card %2$d of %3$d)"), sent, entry, length));
      // TRANSLATORS: %s is the card's numbers ("12,1000").
      return good(Format(Tr("Written and verified: %s"), sent));
    case CardVerdict::VerifyFailed:
      // TRANSLATORS: %1$s is what the card read back as, %2$s what was sent
      // ("12,1001" and "12,1000"); %3$d and %4$d the entry and the list's length.
      if (fromList)
        return bad(Format(Tr("Verify failed: the card holds %1$s, not %2$s (card %3$d of %4$d)"), read, sent, entry,
                          length));
      // TRANSLATORS: %1$s is what the card read back as, %2$s what was sent.
      return bad(Format(Tr("Verify failed: the card holds %1$s, not %2$s"), read, sent));
    case CardVerdict::NoAcknowledgement:
      if (fromList)
        return bad(Format(Tr("Not written: no answer from the reader/writer (card %1$d of %2$d)"), entry, length));
      return bad(Tr("Not written: no answer from the reader/writer"));
    case CardVerdict::NoReadBack:
      if (fromList)
        return bad(
            Format(Tr("Not verified: the card did not answer the read-back (card %1$d of %2$d)"), entry, length));
      return bad(Tr("Not verified: the card did not answer the read-back"));
    case CardVerdict::ReadBackRefused:
      if (fromList)
        return bad(
            Format(Tr("Not verified: the reader/writer refused the read-back (card %1$d of %2$d)"), entry, length));
      return bad(Tr("Not verified: the reader/writer refused the read-back"));
    case CardVerdict::Read:
      // TRANSLATORS: %s is the card's numbers ("12,1000").
      return {"\u25CF " + Format(Tr("Read: %s"), read), BannerTone::Neutral};
    case CardVerdict::ReadFailed:
      return bad(Tr("Read failed: no card answered"));
    case CardVerdict::ReadRefused:
      return bad(Tr("Read failed: the reader/writer could not read the card"));
  }
  return {};
}

SharedRecordNote RecordOutcome(FormState& state, Host& host, const CardOutcome& outcome) {
  const RecordLine line = RecordLineOf(outcome);
  if (!state.recordPath.empty()) {
    if (const auto error = AppendRecordLine(state.recordPath, line)) {
      state.recordPath.clear();
      host.SetKeepRecord(false, "");
      if (!host.Closing()) host.ShowMessage(error->Message());
    }
  }
  // Settled before the banner shows it, as the record line is synced first.
  return IntoSharedRecord(state, host, outcome, line);
}

void TakeOutcome(FormState& state, Host& host, const CardOutcome& outcome) {
  const SharedRecordNote notShared = RecordOutcome(state, host, outcome);
  if (outcome.entry > 0 && IsWrite(outcome.verdict) && IsFailure(outcome.verdict)) ++state.tally.failedAttempts;
  ResultBanner banner = BannerOf(outcome, state.tally);
  banner.text = notShared.On(banner.text);
  host.ShowResult(banner);
  host.CardOutcomeTaken(outcome, notShared);
}

}  // namespace vx
