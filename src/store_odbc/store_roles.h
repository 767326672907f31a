#pragma once
// The two database roles of the shared record. A station reserves, settles
// and reads, and only ever adds to vx_attempts, so no station can alter the
// audit trail or take a credential from another; a supervisor can besides
// release one (delete its row of vx_cards). Each station and supervisor logs
// in as a user of its own that holds one of them.

#include <string>
#include <vector>

namespace vx::odbc {

inline constexpr const char* kStationRole = "vx_station";
inline constexpr const char* kSupervisorRole = "vx_supervisor";

enum class RoleEngine { PostgreSql, MariaDb };

// The statements that make both roles and give them their rights, to be run
// by the tables' owner once the tables are made.
std::vector<std::string> RoleStatements(RoleEngine engine);

// The statements that make a login `user` (with `password`, and on MariaDB
// for `host`) holding `role`, for its first connection on. The values are
// put in as they are: they are an administrator's own, never a station's.
std::vector<std::string> LoginStatements(RoleEngine engine, const std::string& role, const std::string& user,
                                         const std::string& password, const std::string& host = "%");

}  // namespace vx::odbc
