#pragma once
// Read Card and Write Card of the eight HID tabs: one procedure each, bound to
// every tab through the table of tabs.

#include "operations/tabs.h"
#include "operations/device_link.h"
#include "operations/card_binding.h"

namespace vx {

// Write Card on an HID tab (Command10, Command4, Command5, ... Command18).
void WriteHidCard(Device& dev, const TabSpec& tab);
// Read Card on an HID tab (Command13, Command3, Command1, ... Command19).
void ReadHidCard(Device& dev, const TabSpec& tab);
// What an HID tab's card operations work with: its format row's layout,
// ranges and texts.
CardBinding HidBindingOf(FormState& state, const TabSpec& tab);

}  // namespace vx
