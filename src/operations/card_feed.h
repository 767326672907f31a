#pragma once
// How the card-number list feeds database-mode writes: taking the entry under
// the cursor, moving the cursor on after a confirmed write, and telling the
// operator how far the batch has got.

#include <string>

#include "cardlist/card_list.h"
#include "operations/host.h"

namespace vx {

// Copies the entry under the cursor into a tab's two current texts.
// False (texts untouched) when the list is used up or none is loaded.
bool TakeCurrentEntry(const CardList& list, std::string& fcText, std::string& cnText);

// Moves the cursor past the entry just written. True when another entry is
// left; it is then in the two texts. False when the list is now used up.
bool AdvanceCursor(CardList& list, std::string& fcText, std::string& cnText);

// "Next card: 3 of 500", "All 500 cards written" or "No card list loaded".
std::string BatchProgressText(const CardList& list);
// Shows BatchProgressText in the database frame.
void ReportBatchProgress(const CardList& list, Host& host);

}  // namespace vx
