#pragma once
// Reaching the shared record as this station, the same from the window and
// from the console program, in this order: the station's name held to the
// rule, the station's lock on this computer, the connection, then the store,
// the lock and the journal's path taken up together. A front may ask for
// the connection between the name and the lock (the window's dialog) and
// may try the connection again (the console program's wait); each says what
// refuses in its own way.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "operations/form_state.h"
#include "store/shared_store.h"
#include "store/station_lock.h"
#include "store/station_name.h"

namespace vx {

// How the shared record is reached. The program fills it with its database
// access; tests with a fake.
struct SharedRecordAccess {
  std::function<std::optional<StoreFault>(const std::string& connection, const std::string& station,
                                          std::unique_ptr<SharedStore>& store)>
      connect;
  std::function<std::vector<std::string>()> dataSources;  // the system's, for the window's dialog
  // Takes the station's lock on this computer (LockStation); empty when taken,
  // else the refusal. Unset, no lock is taken (tests of what needs none).
  std::function<std::optional<std::string>(const std::string& station, std::unique_ptr<StationLock>& lock)>
      lockStation;
  std::string station;  // as given (--station, else the computer's name): held to the rule when connecting
  // Where the station's journal is kept (UTF-8), made when the shared record
  // is first reached; empty keeps no journal.
  std::string userFolder;
  std::string connection;  // given at start (--shared-record): the window connects to it without asking
};

class SharedRecordConnection {
 public:
  explicit SharedRecordConnection(const SharedRecordAccess& access);

  // The station's name held to the rule: the refusal, else nothing.
  std::optional<std::string> CheckStation();
  // The station's lock on this computer, held from now: the refusal, else nothing.
  std::optional<std::string> LockStation();
  // One try at `connection`: the fault, else nothing and the store is reached.
  std::optional<StoreFault> Connect(const std::string& connection);
  // The store reached, the lock and, with `journal`, the station's journal's
  // path (its folder made when missing) into `shared`.
  void TakeUp(SharedRecordState& shared, bool journal);

 private:
  const SharedRecordAccess& access_;
  StationNameCheck station_;
  std::unique_ptr<StationLock> lock_;
  std::unique_ptr<SharedStore> store_;
};

}  // namespace vx
