#include "store_odbc/store_roles.h"

#include "i18n/translate.h"
#include "store/store_connection.h"

namespace vx::odbc {

namespace {

struct Right {
  const char* role;
  const char* table;
  const char* rights;
};
// A station needs no DELETE anywhere: a credential no card holds stays as a
// free row, which the next station takes over with an update.
constexpr Right kRights[] = {
    {kStationRole, "vx_schema", "SELECT"},
    {kStationRole, "vx_cards", "SELECT, INSERT, UPDATE"},
    {kStationRole, "vx_attempts", "SELECT, INSERT"},
    {kSupervisorRole, "vx_cards", "DELETE"},
};

}  // namespace

std::vector<std::string> RoleStatements(RoleEngine) {
  // Both engines take the same words; they differ in how a login takes its role up.
  std::vector<std::string> statements = {std::string("CREATE ROLE ") + kStationRole,
                                         std::string("CREATE ROLE ") + kSupervisorRole};
  for (const Right& right : kRights)
    statements.push_back(std::string("GRANT ") + right.rights + " ON " + right.table + " TO " + right.role);
  statements.push_back(std::string("GRANT ") + kStationRole + " TO " + kSupervisorRole);
  return statements;
}

std::vector<std::string> LoginStatements(RoleEngine engine, const std::string& role, const std::string& user,
                                         const std::string& password, const std::string& host) {
  if (engine == RoleEngine::PostgreSql)
    return {"CREATE ROLE " + user + " LOGIN PASSWORD '" + password + "' IN ROLE " + role};
  // A MariaDB role is in force only once it is set; the default role sets
  // it at every connection.
  const std::string login = "'" + user + "'@'" + host + "'";
  return {"CREATE USER " + login + " IDENTIFIED BY '" + password + "'", "GRANT " + role + " TO " + login,
          "SET DEFAULT ROLE " + role + " FOR " + login};
}

}  // namespace vx::odbc

namespace vx {

std::string RolesSql() {
  std::string sql;
  for (const auto& [engine, name] :
       {std::pair{odbc::RoleEngine::PostgreSql, "PostgreSQL"}, std::pair{odbc::RoleEngine::MariaDb, "MariaDB"}}) {
    sql += std::string(sql.empty() ? "" : "\n") + "-- " + name + "\n";
    for (const std::string& statement : odbc::RoleStatements(engine)) sql += statement + ";\n";
    // TRANSLATORS: an SQL comment before example statements; the roles'
    // names (vx_station, vx_supervisor) stay as they are.
    sql += "-- " + Tr("One login per station (vx_station) and per supervisor (vx_supervisor), for example:") + "\n";
    for (const auto& [role, user] :
         {std::pair{odbc::kStationRole, "station1"}, std::pair{odbc::kSupervisorRole, "supervisor1"}})
      for (const std::string& statement : odbc::LoginStatements(engine, role, user, "...", "%"))
        sql += "-- " + statement + ";\n";
  }
  return sql;
}

}  // namespace vx
