#pragma once
// A thin ODBC session: one connection, statements run with bound parameters
// only (no value is ever pasted into SQL text), explicit transactions, and
// errors as the driver's SQLSTATE and words with passwords masked.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx::odbc {

// A bound parameter: a text or a whole number, either of which may be NULL.
struct Param {
  enum class Kind { Text, Number };
  Kind kind = Kind::Text;
  bool null = false;
  std::string text;
  long long number = 0;

  static Param Text(std::string value) { return {Kind::Text, false, std::move(value), 0}; }
  static Param Number(long long value) { return {Kind::Number, false, {}, value}; }
  // Empty text goes in as NULL, and so does a number of 0.
  static Param TextOrNull(std::string value) { return {Kind::Text, value.empty(), std::move(value), 0}; }
  static Param NumberOrNull(long long value) { return {Kind::Number, value == 0, {}, value}; }
};

struct DbError {
  std::string sqlState;  // "23505"; empty when no driver said it
  std::string message;   // the driver's words, passwords masked
  // Class 23: an integrity constraint; for an insert, the primary key is taken.
  bool KeyTaken() const { return sqlState.starts_with("23"); }
  // Class 40: a deadlock or a serialisation failure; the transaction was
  // rolled back and may be run again.
  bool TransactionLost() const { return sqlState.starts_with("40"); }
  // The link to the server broke (class 08, a server shutting down, a
  // time-out): a new connection may succeed.
  bool ConnectionLost() const;
  // The server answered and will not do it however often it is asked: a
  // value it cannot hold (class 22), a login it does not take (28), a right
  // this login lacks or a table it does not know (42), a rule of a table
  // (23; where the key being taken is an answer, the work asks KeyTaken
  // first).
  bool Refused() const;
  // An ALTER TABLE that adds a column the table has already: 42S21 as ODBC
  // names it (MariaDB, SQL Server), 42701 as PostgreSQL's server does.
  bool ColumnExists() const { return sqlState == "42S21" || sqlState == "42701"; }
};

using Row = std::vector<std::optional<std::string>>;  // each column as text; empty for NULL

struct Result {
  std::vector<std::string> columns;
  std::vector<Row> rows;
  long long affected = -1;  // rows an INSERT, UPDATE or DELETE touched, when the driver says
};

class Session {
 public:
  // Seconds a connection may take, and a statement.
  static constexpr int kLoginTimeoutSeconds = 5;
  static constexpr int kQueryTimeoutSeconds = 10;

  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Connects with an ODBC connection string, never prompting, with manual
  // commit. Every text in `secrets` is masked in every message as well.
  std::optional<DbError> Connect(const std::string& connectionString, std::vector<std::string> secrets = {});
  void Disconnect();
  bool Connected() const;
  // The driver says the connection is gone.
  bool Dead() const;

  // Runs one statement with `?` markers bound to `params`, in the open
  // transaction; rows and counts into `result` when given.
  std::optional<DbError> Execute(std::string_view sql, const std::vector<Param>& params = {},
                                 Result* result = nullptr);
  std::optional<DbError> Commit();
  void Rollback();

  // SQLGetInfo's text for `infoType` (SQL_DATABASE_NAME, SQL_SERVER_NAME, ...).
  std::string InfoText(unsigned short infoType) const;
  // `text` as messages show it: passwords masked, the driver's bracketed
  // prefixes dropped, line breaks as blanks.
  std::string Shown(std::string text) const;

 private:
  struct Handles;
  std::unique_ptr<Handles> handles_;
  std::vector<std::string> secrets_;
};

// The data sources the system's ODBC knows, by name.
std::vector<std::string> DataSourceNames();

}  // namespace vx::odbc
