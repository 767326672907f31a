#pragma once
// What the shared record says became of its credentials, read once for the
// command line and both windows.

#include <optional>
#include <vector>

#include "exports/written_credentials.h"
#include "store/shared_store.h"

namespace vx {

// What an export and a report read of the shared record.
enum class SharedOutcomes {
  // What the cards hold: the credentials' rows.
  OfCards,
  // Every attempt, counted as a card record's lines are, and the rows too: a
  // reservation an earlier run left, resolved as written by reading the card
  // on the reader, has a row and no attempt.
  OfAttemptsAndCards,
};

// Adds the shared record's outcomes to `outcomes` (a card record's, when one
// is in use too; an attempt held in both counts once).
std::optional<StoreFault> AddSharedOutcomes(SharedStore& store, SharedOutcomes what,
                                            std::vector<CredentialOutcome>& outcomes);

}  // namespace vx
