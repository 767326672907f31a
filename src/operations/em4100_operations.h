#pragma once
// Write Card and Read Card of the EM4100 tab.

#include <string_view>

#include "operations/device_link.h"
#include "operations/card_binding.h"

namespace vx {

void Command20_Click(Device& dev);  // Write Card
void Command21_Click(Device& dev);  // Read Card
// What the EM4100 tab's card operations work with.
CardBinding Em4100BindingOf(FormState& state);

}  // namespace vx
