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

// A column an upgrade adds to a table.
struct Addition {
  const SchemaTable* table;
  const SchemaColumn* column;
};

// Tables of an older version: the version says which rules the stations on
// them keep (a program of the first version deletes a reservation a card
// proved not to hold, where this one leaves the row free), so an older
// program refuses them once they are upgraded. Whoever may alter the tables
// and change vx_schema (their owner, never a station) adds the later columns,
// then raises the version. On an engine whose DDL is transactional that is
// one transaction. Where ALTER TABLE commits on its own, any interruption is
// safe because of the order: the columns added are nullable, so a program of
// the old version, whose INSERTs name their columns, goes on writing rows
// beside them; the version is raised last, so until then every program takes
// the tables for what they were; and a run that finds a column added already
// (an interrupted upgrade, or another owner upgrading at the same moment)
// looks again, finds nothing left to add and raises the version.
std::optional<DbError> Upgrade(Session& session, int from, const std::vector<Addition>& additions,
                               std::string& refusal) {
  std::optional<DbError> error;
  for (const Addition& a : additions)
    if (!error)
      error = session.Execute(std::string("ALTER TABLE ") + a.table->name + " ADD " + a.column->name + " " +
                              a.column->type);
  if (!error)
    error = session.Execute("UPDATE vx_schema SET version = ? WHERE version < ?",
                            {Param::Number(kSchemaVersion), Param::Number(kSchemaVersion)});
  if (!error) error = session.Commit();
  if (!error) return std::nullopt;
  session.Rollback();
  if (error->ColumnExists() || !error->sqlState.starts_with("42")) return error;
  // TRANSLATORS: "its tables" are the shared record's, as it says in "The
  // shared record refused it: db1: its tables are ..."; the command stays as
  // it is.
  refusal = Format(Tr("its tables are of schema version %1$d and this program keeps version %2$d: run "
                      "\"vandorix-card store init\" as the tables' owner to upgrade them"),
                   from, kSchemaVersion);
  return std::nullopt;
}

// The version that brought the printed numbers.
constexpr int kPrintedSince = 3;

std::string Text(int length) { return "VARCHAR(" + std::to_string(length) + ") NOT NULL"; }
std::string TextOrNull(int length) { return "VARCHAR(" + std::to_string(length) + ")"; }

// The CSV record's columns with the station after those every line has: a
// trailing column came later, and an upgrade adds it at the end, so a table
// made now has the columns in the order of an upgraded one.
std::vector<SchemaColumn> AttemptColumns() {
  std::vector<SchemaColumn> columns;
  for (std::size_t at = 0; at < kRecordColumns; ++at) {
    if (at == kRecordBaseColumns) columns.push_back({"station", Text(kStationColumnLength)});
    const RecordColumn& column = kRecordColumnTable[at];
    std::string type;
    switch (column.kind) {
      case ColumnKind::Text: type = Text(column.longest); break;
      case ColumnKind::OptionalText: type = TextOrNull(column.longest); break;
      case ColumnKind::Number: type = "INTEGER NOT NULL"; break;
      case ColumnKind::Entry: type = "INTEGER"; break;
    }
    // The names are literals, so ended by a NUL.
    columns.push_back({column.name.data(), std::move(type), column.trailing ? kPrintedSince : 1});
  }
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
        {"entry", "INTEGER"},
        {"printed_number", TextOrNull(kPrintedColumnLength), kPrintedSince}},
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

namespace {

bool HasColumn(const Found& found, const SchemaColumn& column) {
  return std::any_of(found.columns.begin(), found.columns.end(),
                     [&column](const std::string& name) { return EqualsIgnoringAsciiCase(name, column.name); });
}

// vx_schema holding no row: tables being made, of this version.
constexpr int kNoVersion = -1;

// The oldest version vx_schema holds, or kNoVersion; a refusal for a newer program's.
std::optional<DbError> ReadVersion(Session& session, int& oldest, std::string& refusal) {
  Result result;
  auto error = session.Execute("SELECT version FROM vx_schema", {}, &result);
  session.Rollback();
  if (error) return error;
  oldest = kNoVersion;
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
    oldest = oldest == kNoVersion ? version : std::min(oldest, version);
  }
  return std::nullopt;
}

}  // namespace

std::optional<DbError> EnsureSchema(Session& session, std::string& refusal) {
  refusal.clear();
  // Two stations may make the tables at the same moment, and two owners
  // upgrade them: the one that loses finds them made when it looks again.
  for (int round = 0;; ++round) {
    // The version is read before the other tables are looked at: it is
    // raised only once the columns are added, so tables of the version read
    // have its columns, whatever an owner upgrading meanwhile does.
    std::vector<std::pair<const SchemaTable*, Found>> looked;
    int version = kNoVersion;
    for (const SchemaTable& table : SchemaTables()) {
      Found found;
      if (auto error = Look(session, table, found)) return error;
      const bool isSchema = &table == &SchemaTables().front();  // vx_schema comes first
      if (isSchema && found.exists && HasColumn(found, table.columns.front())) {
        if (auto error = ReadVersion(session, version, refusal)) return error;
        if (!refusal.empty()) return std::nullopt;
      }
      looked.emplace_back(&table, std::move(found));
    }
    // Tables of an older version lack the later columns, and only those.
    const int tablesVersion = version != kNoVersion ? version : kSchemaVersion;
    std::vector<const SchemaTable*> missing;
    std::vector<Addition> additions;
    for (const auto& [table, found] : looked) {
      if (!found.exists) {
        missing.push_back(table);
        continue;
      }
      std::vector<std::string> lacking;
      for (const SchemaColumn& column : table->columns) {
        if (HasColumn(found, column)) continue;
        if (column.since > tablesVersion)
          additions.push_back({table, &column});
        else
          lacking.push_back(column.name);
      }
      if (!lacking.empty()) {
        // TRANSLATORS: a table of the shared record ("vx_cards"), then the
        // names of the columns it lacks, as they are ("station, entry").
        refusal = Format(TrN("the table %1$s lacks the column %2$s", "the table %1$s lacks the columns %2$s",
                             lacking.size()),
                         table->name, Listed(lacking));
        return std::nullopt;
      }
    }

    if (missing.empty() && version != kNoVersion && version < kSchemaVersion) {
      auto error = Upgrade(session, version, additions, refusal);
      // Another owner added a column first: each look again finds at least
      // that one added, so as many rounds as there were columns to add will do.
      if (error && error->ColumnExists() && round <= static_cast<int>(additions.size())) continue;
      return error;
    }
    if (missing.empty() && version != kNoVersion) return std::nullopt;

    std::optional<DbError> error;
    for (const SchemaTable* table : missing)
      if (!error) error = session.Execute(CreateTableSql(*table));
    if (!error && version == kNoVersion)
      error = session.Execute("INSERT INTO vx_schema (version) VALUES (?)", {Param::Number(kSchemaVersion)});
    if (!error) error = session.Commit();
    // Tables made beside older ones: the upgrade follows.
    if (!error && version != kNoVersion && version < kSchemaVersion && round < 2) continue;
    if (!error) return std::nullopt;
    session.Rollback();
    if (round > 0 || !error->sqlState.starts_with("42")) return error;
  }
}

}  // namespace vx::odbc
