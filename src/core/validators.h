#pragma once
// The entry boxes' validators: digits only, within the format's range, the
// accepted text recorded as the format's current value. A refused edit is
// undone by putting the last accepted text back into the box.

#include "core/form_state.h"
#include "core/host.h"
#include "core/tabs.h"

namespace vx {

enum class BoxRole { FacilityCode, CardNumber };

// The change handler of a tab's box (Text19_Change, Text10_Change, ...
// Text17_Change): reads the box through the host and, if refused, sets it back
// through the host. It holds BusyFlag meanwhile, so the reset (which fires the
// box's change event again) does not run the validator a second time, and it
// does nothing at all while another handler holds BusyFlag.
void ValidateBox(FormState& state, Host& host, const TabSpec& tab, BoxRole role);

}  // namespace vx
