#include "store_odbc/connection_security.h"
#include "i18n/ascii_case.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <memory>
#include <string>

namespace vx::odbc {

namespace {

enum class EncryptionQuestion { None, PostgreSql, MariaDb };

EncryptionQuestion EncryptionQuestionFor(const std::string& dbmsName) {
  // ASCII letters only: the operator's locale must not change what a name is.
  const std::string name = AsciiLowered(dbmsName);
  if (name.find("postgres") != std::string::npos) return EncryptionQuestion::PostgreSql;
  // MySQL answers the same question as MariaDB, in the same words.
  if (name.find("mariadb") != std::string::npos || name.find("mysql") != std::string::npos)
    return EncryptionQuestion::MariaDb;
  return EncryptionQuestion::None;
}

// The engine's answer read from `result`, or empty when it is not one.
std::optional<bool> AnswerOf(EncryptionQuestion question, const Result& result) {
  // This backend's own row; none when the engine keeps no such view of it.
  if (result.rows.size() != 1) return std::nullopt;
  const Row& row = result.rows.front();
  if (question == EncryptionQuestion::PostgreSql) {
    if (row.size() != 1 || !row[0]) return std::nullopt;
    if (*row[0] == "yes") return true;
    if (*row[0] == "no") return false;
    return std::nullopt;
  }
  // Variable_name, Value: the cipher in use, empty on a connection in clear.
  if (row.size() != 2) return std::nullopt;
  return row[1].has_value() && !row[1]->empty();
}

}  // namespace

std::optional<bool> ConnectionEncrypted(Session& session) {
  const EncryptionQuestion question = EncryptionQuestionFor(session.InfoText(SQL_DBMS_NAME));
  if (question == EncryptionQuestion::None) return std::nullopt;
  // The answer as a word of this program's own: drivers give a boolean
  // column as 1, t or true, depending on their settings.
  const char* sql = question == EncryptionQuestion::PostgreSql
                        ? "SELECT CASE WHEN ssl THEN 'yes' ELSE 'no' END FROM pg_stat_ssl WHERE pid = pg_backend_pid()"
                        : "SHOW SESSION STATUS LIKE 'Ssl_cipher'";
  Result result;
  const std::optional<DbError> error = session.Execute(sql, {}, &result);
  session.Rollback();
  if (error) return std::nullopt;
  return AnswerOf(question, result);
}

std::optional<bool> AskedEncrypted(const std::function<std::optional<StoreFault>(SessionWork)>& run) {
  // The work holds its own answer: it may still be running when `run` has
  // given up on it.
  auto answer = std::make_shared<std::optional<bool>>();
  const std::optional<StoreFault> fault = run([answer](Session& session) -> std::optional<DbError> {
    *answer = ConnectionEncrypted(session);
    return std::nullopt;
  });
  if (fault) return std::nullopt;
  return *answer;
}

}  // namespace vx::odbc
