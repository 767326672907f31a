#pragma once
// What the operator gave as the shared record's connection, made into the
// ODBC connection string the driver takes, with what messages may show of it.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vx::odbc {

struct ConnectionText {
  std::string connectionString;      // for the driver, password and all
  std::string where;                 // the server, or the data source: "db1"; empty when neither is named
  std::string database;              // the database, when the text names it
  std::vector<std::string> secrets;  // the password values, to mask wherever they show
};

// `connection` is a connection string ("Driver={...};Server=db1;..."), a
// data source ("DSN=cards", or just "cards"), or "@FILE" for a connection
// string kept in FILE (its lines may be its attributes, one to a line).
// The reason in plain words when FILE cannot be read or names nothing.
std::optional<std::string> ResolveConnection(const std::string& connection, ConnectionText& text);

}  // namespace vx::odbc
