#pragma once
// The "Shared Record" check box: ticking it connects this station to the
// shared record (asking for a connection when none was given at start),
// unticking it disconnects. The line under the box says where the record is;
// a connection that fails says why and leaves the box unticked.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "operations/device_link.h"
#include "store/shared_store.h"
#include "store/station_lock.h"

namespace vx {

class WindowView;

// How the window reaches the shared record. The program fills it with its
// database access; tests with a fake.
struct SharedRecordAccess {
  std::function<std::optional<StoreFault>(const std::string& connection, const std::string& station,
                                          std::unique_ptr<SharedStore>& store)>
      connect;
  std::function<std::vector<std::string>()> dataSources;  // the system's, for the dialog
  // Takes the station's lock on this computer (LockStation); empty when taken,
  // else the refusal. Unset, no lock is taken (tests of what needs none).
  std::function<std::optional<std::string>(const std::string& station, std::unique_ptr<StationLock>& lock)>
      lockStation;
  std::string station;  // as given (--station, else the computer's name): held to the rule when ticked
  std::string journalPath;
  std::string connection;  // given at start (--shared-record): ticking connects to it without asking
};

// The line under the box: "Shared record: cards on db1, station DESK-2", with
// ", not encrypted" when the engine said the connection is not.
std::string SharedRecordLine(const StorePlace& place);

// The box changed to `ticked`. The caller holds BusyFlag; afterwards the box
// shows whether a store is connected. A station's name that breaks the rule,
// or a station another program on this computer holds, is refused before
// the dialog or the connection; the lock is held until the box is unticked.
void SharedRecord_Click(Device& dev, WindowView& view, const SharedRecordAccess& access, bool ticked);

}  // namespace vx
