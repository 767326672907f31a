// TEMPORARY STAND-IN, to be deleted when the shared record's own code is
// merged: the database side (vx_store_odbc), reaching no database, so that the
// programs link before it lands.

#include "store/store_connection.h"

namespace vx {

std::optional<StoreFault> ConnectSharedStore(const std::string& connection, const std::string&,
                                             std::unique_ptr<SharedStore>&) {
  return StoreFault{MaskPasswords(connection), "this build reaches no database yet"};
}

std::vector<std::string> ListDataSources() { return {}; }

std::string DefaultStationName() { return "STATION"; }

std::string SchemaSql() { return ""; }

}  // namespace vx
