#pragma once
// The shared record's three tables. Sites query them from their access-control
// software, so their names and columns are an interface: changing one is a
// new schema version. The SQL is what PostgreSQL, MariaDB and SQL Server all
// take as it is: plain types, no engine's own statements.

#include <optional>
#include <string>
#include <vector>

#include "store_odbc/odbc_session.h"

namespace vx::odbc {

// 2: a credential no card holds is a free row, taken over by an update, and
// stations add to vx_attempts only.
// 3: vx_cards and vx_attempts keep the number printed on the card.
inline constexpr int kSchemaVersion = 3;

struct SchemaColumn {
  const char* name;
  std::string type;
  int since = 1;  // the schema version that brought the column
};

struct SchemaTable {
  const char* name;
  std::vector<SchemaColumn> columns;
  const char* primaryKey;  // the key's columns, or nullptr
};

// vx_schema, vx_cards, vx_attempts, in the order they are made.
const std::vector<SchemaTable>& SchemaTables();

std::string CreateTableSql(const SchemaTable& table);
// The columns of vx_cards, in the schema's order: "format, facility_code, ...".
std::string CardColumnNames();
// An INSERT of one whole vx_cards row, a parameter a column in that order.
std::string InsertCardSql();

// Looks at the tables through `session`: makes those that are missing in one
// transaction (the schema's version with them), and refuses tables that lack
// columns of their version, naming them, or that a newer program made, before
// anything is written. Tables of an older version are upgraded (the columns
// of the later versions added, then the version raised) when this session
// may alter them and change vx_schema, else refused with what to run. The
// refusal's words in `refusal`; a database error as the result.
std::optional<DbError> EnsureSchema(Session& session, std::string& refusal);

}  // namespace vx::odbc
