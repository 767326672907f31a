#pragma once
// "Keep Record" and the resume it offers: ticking it chooses and starts the
// record file; with a card-number file loaded as well, the record is asked how
// far that file already got, and the operator may carry on from there.

#include "operations/form_state.h"
#include "operations/host.h"

namespace vx {

// The operator ticked (`ticked`) or unticked "Keep Record".
void KeepRecord_Click(FormState& state, Host& host, bool ticked);

// With a record kept and a card list loaded: if the record shows entries
// 1..k of the same file written, asks whether to continue with entry k+1 and
// moves the cursor there on Yes. The caller holds BusyFlag.
void OfferResume(FormState& state, Host& host);

// Reads into the record's index what was appended to the record since it was
// last read (by this program or another station); the whole record when the
// index belongs to another file. True when the index is current. A record
// that cannot be read is treated as one that cannot be written: a message
// names the file and the reason, and "Keep Record" goes off.
bool BringRecordIndexUpToDate(FormState& state, Host& host);

}  // namespace vx
