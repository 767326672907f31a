#include "store/store_connection.h"

#include "i18n/translate.h"
#include "store_odbc/connection_text.h"
#include "store_odbc/sql_store.h"
#include "store_odbc/store_schema.h"

namespace vx {

std::optional<StoreFault> ConnectSharedStore(const std::string& connection, const std::string& station,
                                             std::unique_ptr<SharedStore>& store) {
  store.reset();
  odbc::ConnectionText text;
  if (auto problem = odbc::ResolveConnection(connection, text)) {
    const std::string given = MaskPasswords(connection);
    // Nothing to try again: the connection itself will not do until someone
    // mends it, so it counts as refused.
    return StoreFault{given.empty() ? TrCtx("where the shared record failed", "the shared record") : given, *problem,
                      true};
  }
  auto sql = std::make_unique<odbc::SqlStore>(std::move(text), station.empty() ? DefaultStationName() : station);
  if (auto fault = sql->Open()) return fault;
  store = std::move(sql);
  return std::nullopt;
}

std::vector<std::string> ListDataSources() { return odbc::DataSourceNames(); }

std::string SchemaSql() {
  std::string sql;
  for (const odbc::SchemaTable& table : odbc::SchemaTables()) sql += odbc::CreateTableSql(table) + ";\n";
  return sql + "INSERT INTO vx_schema (version) VALUES (" + std::to_string(odbc::kSchemaVersion) + ");\n";
}

}  // namespace vx
