#include "exports/shared_outcomes.h"

#include <iterator>
#include <utility>

namespace vx {

std::optional<StoreFault> AddSharedOutcomes(SharedStore& store, SharedOutcomes what,
                                            std::vector<CredentialOutcome>& outcomes) {
  std::vector<CredentialRow> rows;
  if (auto fault = store.WrittenRows(rows)) return fault;
  if (what == SharedOutcomes::OfAttemptsAndCards) {
    std::vector<Attempt> attempts;
    if (auto fault = store.AttemptRows(attempts)) return fault;
    outcomes = JoinedWithAttempts(std::move(outcomes), OutcomesOfAttempts(attempts));
  }
  // A row is as late as its write, so a credential's last outcome is its row
  // unless an attempt came after.
  std::vector<CredentialOutcome> ofRows = OutcomesOfRows(rows);
  outcomes.insert(outcomes.end(), std::make_move_iterator(ofRows.begin()), std::make_move_iterator(ofRows.end()));
  return std::nullopt;
}

}  // namespace vx
