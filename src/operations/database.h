#pragma once
// "Use Database" and "Browse".

#include "operations/form_state.h"
#include "operations/host.h"

namespace vx {

// Check1_Click: shows or hides Frame9 as Check1 now stands.
void Check1_Click(FormState& state, Host& host);
// Command2_Click, "Browse": chooses and loads the card-number file.
void Command2_Click(FormState& state, Host& host);

}  // namespace vx
