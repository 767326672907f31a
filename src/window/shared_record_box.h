#pragma once
// The "Shared Record" check box: ticking it connects this station to the
// shared record (asking for a connection when none was given at start),
// unticking it disconnects. The line under the box says where the record is;
// a connection that fails says why and leaves the box unticked.

#include <string>

#include "operations/device_link.h"
#include "operations/shared_record_connection.h"
#include "store/shared_store.h"

namespace vx {

class WindowView;

// The line under the box: "Shared record: cards on db1, station DESK-2", with
// ", not encrypted" when the engine said the connection is not.
std::string SharedRecordLine(const StorePlace& place);

// The box changed to `ticked`. The caller holds BusyFlag; afterwards the box
// shows whether a store is connected. A station's name that breaks the rule,
// or a station another program on this computer holds, is refused before
// the dialog or the connection; the lock is held until the box is unticked.
void SharedRecord_Click(Device& dev, WindowView& view, const SharedRecordAccess& access, bool ticked);

}  // namespace vx
