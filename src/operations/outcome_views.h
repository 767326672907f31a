#pragma once
// What becomes of a card operation's outcome besides its List1 lines: the
// record line (when "Keep Record" is on), the batch tally and the result
// banner. The record comes first, so whatever the window shows is on disk.

#include <string>

#include "operations/form_state.h"
#include "operations/host.h"
#include "carddata/card_outcome.h"
#include "operations/shared_record_flow.h"
#include "record/record_line.h"

namespace vx {

// The banner's words for an outcome: a symbol, then plain words, and for a
// card from the list its place in the batch.
ResultBanner BannerOf(const CardOutcome& outcome, const BatchTally& tally);

// "500 written, 1 failed attempt along the way": a batch's tally in words.
std::string BatchTallyText(int written, int failedAttempts);

// The record line of an outcome, stamped with the time now.
RecordLine RecordLineOf(const CardOutcome& outcome);

// Appends the outcome's record line while "Keep Record" is on, and takes it
// into the shared record when that is on. A record that cannot be written is
// reported and recording stops. The words the banner adds when the shared
// record did not take it.
SharedRecordNote RecordOutcome(FormState& state, Host& host, const CardOutcome& outcome);

// Records the outcome, settles it in the shared record (when that is on),
// counts it in the batch tally and shows the banner.
// A record that cannot be written is reported and recording stops; the card's
// own outcome is shown all the same.
void TakeOutcome(FormState& state, Host& host, const CardOutcome& outcome);

}  // namespace vx
