#pragma once
// From a tab to its card kind, written once: an HID tab works through its
// row of the format file, the EM4100 tab through its own pair of texts. The
// windows' buttons, the console program's commands and the settling of an
// earlier run's reservations all go from a tab to its card here.

#include <string_view>

#include "operations/form_state.h"
#include "operations/tabs.h"
#include "operations/device_link.h"
#include "operations/card_binding.h"

namespace vx {

enum class CardAction { Write, Read };

// The "Write Card" or "Read Card" button of `tab`.
void RunCardAction(Device& dev, const TabSpec& tab, CardAction action);

// What `tab`'s card operations work with.
CardBinding BindingOfTab(FormState& state, const TabSpec& tab);

// The tab of a card format as the shared record and the command line name
// it: EM4100, or an HID format's name in upper case. nullptr for none.
const TabSpec* TabOfCardFormat(std::string_view format);

}  // namespace vx
