#pragma once
// The write-verify-advance flow and the read, shared by every tab.

#include "operations/device_link.h"
#include "operations/card_binding.h"

namespace vx {

// Write Card: guard, open, choose the numbers (typed or from the card list),
// range-check, write, settle, read back, verify, advance to the next card.
void WriteCard(Device& dev, const CardBinding& binding);
// Read Card: guard, open, read, show what the card carries.
void ReadCard(Device& dev, const CardBinding& binding);

}  // namespace vx
