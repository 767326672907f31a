#pragma once
// The entry boxes' validators: digits only, within the format's range, the
// accepted text recorded as the format's current value. A refused edit is
// undone by putting the last accepted text back into the box.

#include "operations/form_state.h"
#include "operations/host.h"
#include "operations/tabs.h"

namespace vx {

enum class BoxRole { FacilityCode, CardNumber };

// The change handler of a tab's box (Text19_Change, Text10_Change, ...
// Text17_Change): reads the box through the host and, if refused, sets it back
// through the host. It holds BusyFlag meanwhile, so the reset (which fires the
// box's change event again) does not run the validator a second time, and it
// does nothing at all while another handler holds BusyFlag.
void ValidateBox(FormState& state, Host& host, const TabSpec& tab, BoxRole role);

// An operator's edit of a box while a handler holds BusyFlag, which the
// validator ignores: undone, so that the box shows again the current text the
// next Write Card sends rather than numbers that would never be written. Text
// a handler puts into a box is not the operator's edit and must not come here.
// Does nothing while no handler holds BusyFlag.
void UndoEditWhileBusy(FormState& state, Host& host, const TabSpec& tab, BoxRole role);

}  // namespace vx
