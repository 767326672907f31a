#pragma once
// Whether the connection to the shared record is encrypted. Only the engine
// knows for certain: a connection string may ask for encryption and let the
// driver fall back to none, or say nothing and get whatever the server
// offers. So the engine is asked, once the connection is up, and the windows
// and vandorix-card say "not encrypted" when it says no.

#include <functional>
#include <optional>

#include "store/shared_store.h"
#include "store_odbc/odbc_session.h"

namespace vx::odbc {

// True or false as the engine says for this connection; empty when the
// engine cannot be asked (PostgreSQL, MariaDB and MySQL can, told apart by
// the name the driver gives them), or the asking failed. Ends the
// transaction it opens, so nothing of it stays on the connection.
std::optional<bool> ConnectionEncrypted(Session& session);

// ConnectionEncrypted through `run`, which does work on a store's connection
// within the store's deadline, on a thread that may outlive it. A call that
// fails or runs out of time is no answer.
using SessionWork = std::function<std::optional<DbError>(Session&)>;
std::optional<bool> AskedEncrypted(const std::function<std::optional<StoreFault>(SessionWork)>& run);

}  // namespace vx::odbc
