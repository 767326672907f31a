#pragma once
// One card-number file drained by several stations at once. Each station
// loads the same file; the shared record says which entries are taken, so a
// station passes over what another has written or is writing, and its batch
// line tells how the file is shared.

#include <optional>
#include <string>

#include "cardlist/card_list.h"
#include "operations/form_state.h"
#include "operations/host.h"
#include "operations/tabs.h"
#include "store/shared_store.h"

namespace vx {

struct SharedEntryCounts {
  int writtenHere = 0;
  int atOtherStations = 0;  // written, reserved or unknown at another station
};

// The format a tab writes in the shared record: its HID.cfg name, or EM4100.
std::string SharedFormatOf(const TabSpec& tab);

// Whether a batch at `station`, on entry `entry` of the file `source`, leaves
// the entry with `row` to others: another station has it, or this station has
// already written this very entry.
bool LeftToOthers(const CredentialRow& row, const std::string& station, const std::string& source, int entry);

// The rows of every entry of the list in `format`, in order; an entry no card
// can carry (negative, fractional, too large) is free.
std::optional<StoreFault> LookUpEntries(SharedStore& store, const std::string& format, const CardList& list,
                                        EntryStates& states);
SharedEntryCounts CountEntries(const EntryStates& states, const std::string& station);

// "Next card: 7 of 500 (3 written here, 12 at other stations)", or with no
// free entry left "No free card left (3 written here, 497 at other stations)".
std::string SharedBatchProgressText(const CardList& list, const SharedEntryCounts& counts);

// The batch line; with the shared record on, how the file is shared in `format`.
void ReportSharedBatchProgress(FormState& state, Host& host, const std::string& format);

// With the shared record on: moves the cursor past the entries left to
// others, and shows the batch line. True when a free entry is left; it is
// then in the two texts. A store that cannot be asked leaves the cursor: the
// next press finds out.
bool PassOverTakenEntries(FormState& state, Host& host, const std::string& format, std::string& fcText,
                          std::string& cnText);

}  // namespace vx
