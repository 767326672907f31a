#pragma once
// Reaching the shared record: the connection the operator gave, the station's
// name, and what is shown of them. Implemented over ODBC in src/store_odbc/.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/shared_store.h"

namespace vx {

// `connection` is an ODBC connection string ("Driver={PostgreSQL Unicode};
// Server=db1;Database=cards;..."), a data source ("DSN=cards", or "cards"), or
// "@FILE" for a connection string read from FILE. Connects, creates the tables
// when they are missing (one transaction), and refuses a vx_cards without the
// expected columns, naming what is missing, with nothing written.
std::optional<StoreFault> ConnectSharedStore(const std::string& connection, const std::string& station,
                                             std::unique_ptr<SharedStore>& store);

// The system's data sources (names), for the dialog that asks for a connection.
std::vector<std::string> ListDataSources();

// VX_SHARED_RECORD from the environment, or empty: a connection that, unlike
// a command line, other users of the computer cannot see.
std::string SharedRecordVariable();

// The computer's name: the default station.
std::string DefaultStationName();

// The connection text with every password (PWD=..., Password=..., in any
// case, inside other keys' braces too) as ***.
std::string MaskPasswords(const std::string& text);
// The same, and every one of `secrets` (the passwords the connection gave)
// masked wherever a driver's message repeats it.
std::string MaskPasswords(const std::string& text, const std::vector<std::string>& secrets);

// The SQL that creates the tables, for `vandorix-card store schema`.
std::string SchemaSql();
// The SQL that creates the station and supervisor roles and their rights on
// those tables, for PostgreSQL and for MariaDB: `store schema --roles`.
std::string RolesSql();

}  // namespace vx
