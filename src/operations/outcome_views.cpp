#include "operations/outcome_views.h"

#include "operations/shared_record_flow.h"

#include "record/record_file.h"
#include "record/record_line.h"

namespace vx {

namespace {

const char* RecordWordOf(CardVerdict verdict) {
  switch (verdict) {
    case CardVerdict::Written: return "written";
    case CardVerdict::VerifyFailed: return "verify failed";
    case CardVerdict::NoAcknowledgement: return "no acknowledgement";
    case CardVerdict::NoReadBack: return "no read-back";
    case CardVerdict::ReadBackRefused: return "read-back refused";
    case CardVerdict::Read: return "read";
    case CardVerdict::ReadFailed: return "read failed";
    case CardVerdict::ReadRefused: return "read refused";
  }
  return "";
}

std::string Pair(const CardNumbers& numbers) { return numbers.FcText() + "," + numbers.CnText(); }

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
  if (outcome.read) {
    line.readFacilityCode = outcome.read->FcText();
    line.readCardNumber = outcome.read->CnText();
  }
  return line;
}

namespace {

// " (card 17 of 500)" for a card from the list.
std::string PlaceInBatch(const CardOutcome& outcome) {
  if (outcome.entry <= 0) return {};
  return " (card " + std::to_string(outcome.entry) + " of " + std::to_string(outcome.listLength) + ")";
}

}  // namespace

std::string BatchTallyText(int written, int failedAttempts) {
  return std::to_string(written) + " written, " +
         (failedAttempts == 0 ? std::string("no failed attempts")
                              : std::to_string(failedAttempts) +
                                    (failedAttempts == 1 ? " failed attempt" : " failed attempts")) +
         " along the way";
}

ResultBanner BannerOf(const CardOutcome& outcome, const BatchTally& tally) {
  const std::string place = PlaceInBatch(outcome);
  const std::string sent = outcome.sent ? Pair(*outcome.sent) : std::string();
  const std::string read = outcome.read ? Pair(*outcome.read) : std::string();
  switch (outcome.verdict) {
    case CardVerdict::Written: {
      if (outcome.entry > 0 && outcome.entry == outcome.listLength) {
        return {"\u2714 Batch complete: " + BatchTallyText(outcome.listLength, tally.failedAttempts) +
                    " (last: " + sent + ")",
                BannerTone::Good};
      }
      return {"\u2714 Written and verified: " + sent + place, BannerTone::Good};
    }
    case CardVerdict::VerifyFailed:
      return {"\u2718 Verify failed: the card holds " + read + ", not " + sent + place, BannerTone::Bad};
    case CardVerdict::NoAcknowledgement:
      return {"\u2718 Not written: no answer from the reader/writer" + place, BannerTone::Bad};
    case CardVerdict::NoReadBack:
      return {"\u2718 Not verified: the card did not answer the read-back" + place, BannerTone::Bad};
    case CardVerdict::ReadBackRefused:
      return {"\u2718 Not verified: the reader/writer refused the read-back" + place, BannerTone::Bad};
    case CardVerdict::Read:
      return {"\u25CF Read: " + read, BannerTone::Neutral};
    case CardVerdict::ReadFailed:
      return {"\u2718 Read failed: no card answered", BannerTone::Bad};
    case CardVerdict::ReadRefused:
      return {"\u2718 Read failed: the reader/writer could not read the card", BannerTone::Bad};
  }
  return {};
}

std::string RecordOutcome(FormState& state, Host& host, const CardOutcome& outcome) {
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
  const std::string notShared = RecordOutcome(state, host, outcome);
  if (outcome.entry > 0 && IsWrite(outcome.verdict) && IsFailure(outcome.verdict)) ++state.tally.failedAttempts;
  ResultBanner banner = BannerOf(outcome, state.tally);
  banner.text += notShared;
  host.ShowResult(banner);
  host.CardOutcomeTaken(outcome);
}

}  // namespace vx
