#pragma once
// The shared record at the write flow's two seams. Before the first byte goes
// to the device, the credential is reserved for this station (the database
// lets one station have it); once the outcome is known, it is settled before
// the banner shows it. A settle the store cannot take is kept in the journal
// and committed first thing at the next press, before any other card.

#include <string>
#include <string_view>

#include "carddata/card_data.h"
#include "operations/form_state.h"
#include "operations/host.h"
#include "operations/device_link.h"
#include "operations/card_binding.h"
#include "carddata/card_outcome.h"
#include "record/record_line.h"
#include "store/shared_store.h"

namespace vx {

// A format's name as the shared record keys it: upper case, as on the tabs.
std::string SharedFormatName(std::string_view format);
// A card in a tab's format as the shared record keys it.
Credential CredentialOf(std::string_view format, const CardNumbers& card);

// Commits the journal's settles before anything else. False when the store
// cannot be reached: nothing is written, and the message and banner say so.
// What the journal kept aside (a settle refused for good, a line that cannot
// be read) is told, and the write goes on. True when no shared record is on.
bool JournalTakenFirst(Device& dev);

enum class ReserveStep {
  Write,     // reserved for this station (or the operator wants it written again)
  PassOver,  // a card of the list left to others: the batch goes on to the next entry
  Refused,   // nothing is sent; the banner (or the store's message) says why
};
// With the shared record on: reserves `card` before anything is sent, once
// what its rows would hold is known to fit their columns. Asks,
// No preset, before writing a credential already written or one an earlier
// run of this station left unsettled; refuses one another station holds. A
// card from the list that is taken elsewhere is passed over instead.
ReserveStep ReserveBeforeWrite(Device& dev, const CardBinding& b, const CardNumbers& card, bool fromList);

// The card in hand is not sent after all: a reservation it won goes back,
// since no card holds it.
void GiveBackUnsent(FormState& state);

// The store cannot be reached, or refuses the card, before a write: says
// so, nothing is written.
void StopForStore(Device& dev, const StoreFault& fault);

// What the banner says of the shared record besides the card's outcome.
struct SharedRecordNote {
  enum class Kind {
    None,      // the shared record has the outcome, or no shared record is on
    NotYet,    // kept in the journal, taken at the next press
    NotTaken,  // a read the store could not take: `fault` says why
    KeptAside, // a settle the store refused for good: kept in the file `keptIn`, `fault` says why
  };
  Kind kind = Kind::None;
  StoreFault fault;
  std::string keptIn;
  // The banner's text with the note:
  // "✔ Written and verified: 12,1000, not yet in the shared record".
  std::string On(const std::string& banner) const;
};

// An outcome into the shared record: a write's settle (or, when the store
// cannot take it, the journal), a read's attempt. Returns what the banner must
// add.
SharedRecordNote IntoSharedRecord(FormState& state, Host& host, const CardOutcome& outcome, const RecordLine& line);

// The words.
std::string StoreStopText(const StoreFault& fault);
std::string HeldElsewhereText(const CardNumbers& card, const std::string& station);
std::string UnsettledQuestion(const CardNumbers& card, std::string_view format, const CredentialRow& row);

}  // namespace vx
