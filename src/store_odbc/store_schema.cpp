#include "store_odbc/store_schema.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "record/record_columns.h"
#include "store/store_columns.h"
#include "store/store_connection.h"
#include "i18n/ascii_case.h"

namespace vx::odbc {

namespace {

struct Found {
  bool exists = false;
  std::vector<std::string> columns;
};

// The columns of `table` as queries see it; a table that is not there is
// reported by the engine with SQLSTATE class 42. A right this login lacks is
// of that class too, and is no missing table: making it would be refused.
std::optional<DbError> Look(Session& session, const SchemaTable& table, Found& found) {
  Result result;
  auto error = session.Execute(std::string("SELECT * FROM ") + table.name + " WHERE 1 = 0", {}, &result);
  session.Rollback();
  found = Found{};
  const bool denied = error && (error->sqlState == "42501" || error->sqlState == "42000");
  if (error && error->sqlState.starts_with("42") && !denied) return std::nullopt;
  if (error) return error;
  found.exists = true;
  found.columns = std::move(result.columns);
  return std::nullopt;
}

std::string Listed(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// Tables of the first version: their columns are as they are now, but a
// program of that version deletes a reservation a card proved not to hold
// and takes a row it does not know for one a card may hold, where this one
// leaves the row free for the next station to take over. The version says
// which rules the stations on these tables keep, so an older program refuses
// them once they are upgraded; the upgrade is one transaction, made by
// whoever may change vx_schema (the tables' owner, not a station).
std::optional<DbError> Upgrade(Session& session, int from, std::string& refusal) {
  auto error = session.Execute("UPDATE vx_schema SET version = ? WHERE version < ?",
                               {Param::Number(kSchemaVersion), Param::Number(kSchemaVersion)});
  if (!error) error = session.Commit();
  if (!error) return std::nullopt;
  session.Rollback();
  if (!error->sqlState.starts_with("42")) return error;
  // TRANSLATORS: "its tables" are the shared record's, as it says in "The
  // shared record refused it: db1: its tables are ..."; the command stays as
  // it is.
  refusal = Format(Tr("its tables are of schema version %1$d and this program keeps version %2$d: run "
                      "\"vandorix-card store init\" as the tables' owner to upgrade them"),
                   from, kSchemaVersion);
  return std::nullopt;
}

std::string Text(int length) { return "VARCHAR(" + std::to_string(length) + ") NOT NULL"; }
std::string TextOrNull(int length) { return "VARCHAR(" + std::to_string(length) + ")"; }

// The CSV record's columns, and the station.
std::vector<SchemaColumn> AttemptColumns() {
  std::vector<SchemaColumn> columns;
  for (std::size_t at = 0; at < kRecordBaseColumns; ++at) {
    const RecordColumn& column = kRecordColumnTable[at];
    std::string type;
    switch (column.kind) {
      case ColumnKind::Text: type = Text(column.longest); break;
      case ColumnKind::OptionalText: type = TextOrNull(column.longest); break;
      case ColumnKind::Number: type = "INTEGER NOT NULL"; break;
      case ColumnKind::Entry: type = "INTEGER"; break;
    }
    columns.push_back({column.name.data(), std::move(type)});  // the names are literals, so ended by a NUL
  }
  columns.push_back({"station", Text(kStationColumnLength)});
  return columns;
}

}  // namespace

const std::vector<SchemaTable>& SchemaTables() {
  static const std::vector<SchemaTable> tables = {
      {"vx_schema", {{"version", "INTEGER NOT NULL"}}, nullptr},
      // A row's state is reserved, written or unknown while a station or a
      // card may hold the credential, and free once no card does: a station
      // takes a free row over with an update that one station wins, so no
      // station needs to delete a row another station could care about.
      {"vx_cards",
       {{"format", Text(kFormatColumnLength)},
        {"facility_code", "BIGINT NOT NULL"},
        {"card_number", "BIGINT NOT NULL"},
        {"state", Text(kStateColumnLength)},
        {"station", Text(kStationColumnLength)},
        {"reserved_at", Text(kTimeColumnLength)},
        {"written_at", TextOrNull(kTimeColumnLength)},
        {"source", Text(kSourceColumnLength)},
        {"entry", "INTEGER"}},
       "format, facility_code, card_number"},
      // The CSV record's columns, and the station. A station makes at most
      // one attempt on a card in a millisecond, so the station, the time and
      // the credential say which attempt a row is: an outcome sent twice (its
      // commit went through unacknowledged, or it came back from the
      // journal) is stored once. A read has empty numbers, as in the CSV.
      // Stations only ever add rows: it is the audit trail.
      {"vx_attempts", AttemptColumns(), "station, time, format, facility_code, card_number"},
  };
  return tables;
}

std::string CreateTableSql(const SchemaTable& table) {
  std::string sql = std::string("CREATE TABLE ") + table.name + " (";
  for (std::size_t i = 0; i < table.columns.size(); ++i)
    sql += std::string(i ? ", " : "") + table.columns[i].name + " " + table.columns[i].type;
  if (table.primaryKey) sql += std::string(", PRIMARY KEY (") + table.primaryKey + ")";
  return sql + ")";
}

namespace {

const SchemaTable& CardsTable() {
  for (const SchemaTable& table : SchemaTables())
    if (std::string_view(table.name) == "vx_cards") return table;
  return SchemaTables().front();  // not reached: the schema has vx_cards
}

}  // namespace

std::string CardColumnNames() {
  std::string names;
  for (const SchemaColumn& column : CardsTable().columns) names += std::string(names.empty() ? "" : ", ") + column.name;
  return names;
}

std::string InsertCardSql() {
  std::string marks;
  for (std::size_t i = 0; i < CardsTable().columns.size(); ++i) marks += i ? ", ?" : "?";
  return "INSERT INTO vx_cards (" + CardColumnNames() + ") VALUES (" + marks + ")";
}

std::optional<DbError> EnsureSchema(Session& session, std::string& refusal) {
  refusal.clear();
  // Two stations may make the tables at the same moment: the one that loses
  // finds them made when it looks again.
  for (int round = 0;; ++round) {
    std::vector<const SchemaTable*> missing;
    for (const SchemaTable& table : SchemaTables()) {
      Found found;
      if (auto error = Look(session, table, found)) return error;
      if (!found.exists) {
        missing.push_back(&table);
        continue;
      }
      std::vector<std::string> lacking;
      for (const SchemaColumn& column : table.columns) {
        const bool has = std::any_of(found.columns.begin(), found.columns.end(),
                                     [&column](const std::string& name) {
                                       return EqualsIgnoringAsciiCase(name, column.name);
                                     });
        if (!has) lacking.push_back(column.name);
      }
      if (!lacking.empty()) {
        // TRANSLATORS: a table of the shared record ("vx_cards"), then the
        // names of the columns it lacks, as they are ("station, entry").
        refusal = Format(TrN("the table %1$s lacks the column %2$s", "the table %1$s lacks the columns %2$s",
                             lacking.size()),
                         table.name, Listed(lacking));
        return std::nullopt;
      }
    }

    const bool versionMissing =
        std::any_of(missing.begin(), missing.end(),
                    [](const SchemaTable* t) { return EqualsIgnoringAsciiCase(t->name, "vx_schema"); });
    bool versionKnown = false;
    int oldest = kSchemaVersion;
    if (!versionMissing) {
      Result result;
      auto error = session.Execute("SELECT version FROM vx_schema", {}, &result);
      session.Rollback();
      if (error) return error;
      for (const Row& row : result.rows) {
        int version = 0;
        const std::string text = row.empty() ? "" : row[0].value_or("");
        std::from_chars(text.data(), text.data() + text.size(), version);
        if (version > kSchemaVersion) {
          // TRANSLATORS: "its tables" are the shared record's, as it says in
          // "The shared record refused it: db1: its tables are ...".
          refusal = Format(Tr("its tables are of schema version %1$d, made by a newer program; this one knows "
                              "version %2$d"),
                           version, kSchemaVersion);
          return std::nullopt;
        }
        oldest = std::min(oldest, version);
        versionKnown = true;
      }
    }
    if (missing.empty() && versionKnown && oldest < kSchemaVersion) return Upgrade(session, oldest, refusal);
    if (missing.empty() && versionKnown) return std::nullopt;

    std::optional<DbError> error;
    for (const SchemaTable* table : missing)
      if (!error) error = session.Execute(CreateTableSql(*table));
    if (!error && !versionKnown)
      error = session.Execute("INSERT INTO vx_schema (version) VALUES (?)", {Param::Number(kSchemaVersion)});
    if (!error) error = session.Commit();
    if (!error) return std::nullopt;
    session.Rollback();
    if (round > 0 || !error->sqlState.starts_with("42")) return error;
  }
}

}  // namespace vx::odbc
