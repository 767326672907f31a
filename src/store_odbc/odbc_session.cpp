#include "store_odbc/odbc_session.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <cstdint>

#include "i18n/translate.h"
#include "store/store_connection.h"
#include "platform/utf16_text.h"

namespace vx::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "ODBC's wide text is UTF-16");

namespace {

SQLWCHAR* Wide(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }

bool Succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// The first diagnostic record of a handle: its SQLSTATE and message.
DbError DiagnosticOf(SQLSMALLINT type, SQLHANDLE handle, const std::string& fallback) {
  SQLWCHAR state[6] = {};
  SQLINTEGER native = 0;
  SQLWCHAR text[1024] = {};
  SQLSMALLINT length = 0;
  const SQLRETURN rc = SQLGetDiagRecW(type, handle, 1, state, &native, text, sizeof text / sizeof text[0], &length);
  if (!Succeeded(rc)) return DbError{"", fallback};
  const auto* state16 = reinterpret_cast<const char16_t*>(state);
  const auto* text16 = reinterpret_cast<const char16_t*>(text);
  std::size_t shown = length < 0 ? 0 : static_cast<std::size_t>(length);
  if (shown >= sizeof text / sizeof text[0]) shown = sizeof text / sizeof text[0] - 1;
  return DbError{Utf8Of(std::u16string_view(state16, 5)), Utf8Of(std::u16string_view(text16, shown))};
}

void SetTimeout(SQLHDBC dbc, SQLINTEGER attribute, int seconds) {
  // Drivers that have no such time-out say so; the others are kept to it.
  SQLSetConnectAttrW(dbc, attribute, reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(seconds)), 0);
}

}  // namespace

bool DbError::ConnectionLost() const {
  if (sqlState.starts_with("08") || sqlState.starts_with("57")) return true;
  // Time-outs, and the general error drivers give for a closed socket.
  return sqlState == "HYT00" || sqlState == "HYT01" || sqlState == "S1T00" || sqlState == "HY000";
}

bool DbError::Refused() const {
  for (const char* refusing : {"22", "23", "28", "42"})
    if (sqlState.starts_with(refusing)) return true;
  return false;
}

struct Session::Handles {
  SQLHENV env = SQL_NULL_HENV;
  SQLHDBC dbc = SQL_NULL_HDBC;
  bool connected = false;
  ~Handles() {
    if (connected) SQLDisconnect(dbc);
    if (dbc != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    if (env != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, env);
  }
};

// Frees a statement however its run ends.
class Statement {
 public:
  explicit Statement(SQLHDBC dbc) {
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt_))) stmt_ = SQL_NULL_HSTMT;
  }
  ~Statement() {
    if (stmt_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  SQLHSTMT get() const { return stmt_; }

 private:
  SQLHSTMT stmt_ = SQL_NULL_HSTMT;
};

Session::Session() = default;
Session::~Session() = default;

std::optional<DbError> Session::Connect(const std::string& connectionString, std::vector<std::string> secrets) {
  Disconnect();
  secrets_ = std::move(secrets);
  auto handles = std::make_unique<Handles>();
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handles->env)))
    return DbError{"", Tr("the system's ODBC could not be started")};
  SQLSetEnvAttr(handles->env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, handles->env, &handles->dbc)))
    return DbError{"", Tr("the system's ODBC could not make a connection")};
  SetTimeout(handles->dbc, SQL_ATTR_LOGIN_TIMEOUT, kLoginTimeoutSeconds);
  SetTimeout(handles->dbc, SQL_ATTR_CONNECTION_TIMEOUT, kLoginTimeoutSeconds);

  std::u16string text = Utf16Of(connectionString);
  SQLWCHAR completed[1024] = {};
  SQLSMALLINT completedLength = 0;
  const SQLRETURN rc = SQLDriverConnectW(handles->dbc, nullptr, Wide(text), SQL_NTS, completed,
                                         sizeof completed / sizeof completed[0], &completedLength, SQL_DRIVER_NOPROMPT);
  if (!Succeeded(rc)) {
    DbError error = DiagnosticOf(SQL_HANDLE_DBC, handles->dbc, Tr("the connection failed"));
    error.message = Shown(error.message);
    return error;
  }
  handles->connected = true;
  if (!Succeeded(SQLSetConnectAttrW(handles->dbc, SQL_ATTR_AUTOCOMMIT,
                                    reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(SQL_AUTOCOMMIT_OFF)), 0))) {
    DbError error = DiagnosticOf(SQL_HANDLE_DBC, handles->dbc, Tr("the driver cannot run transactions"));
    error.message = Shown(error.message);
    return error;
  }
  handles_ = std::move(handles);
  return std::nullopt;
}

void Session::Disconnect() { handles_.reset(); }

bool Session::Connected() const { return handles_ != nullptr; }

bool Session::Dead() const {
  if (!handles_) return true;
  SQLUINTEGER dead = SQL_CD_FALSE;
  if (!Succeeded(SQLGetConnectAttrW(handles_->dbc, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr))) return false;
  return dead == SQL_CD_TRUE;
}

std::optional<DbError> Session::Execute(std::string_view sql, const std::vector<Param>& params, Result* result) {
  if (!handles_) return DbError{"08003", Tr("not connected")};
  Statement stmt(handles_->dbc);
  if (stmt.get() == SQL_NULL_HSTMT) {
    DbError error = DiagnosticOf(SQL_HANDLE_DBC, handles_->dbc, Tr("no statement could be made"));
    error.message = Shown(error.message);
    return error;
  }
  const auto failed = [this, &stmt](const std::string& fallback) {
    DbError error = DiagnosticOf(SQL_HANDLE_STMT, stmt.get(), fallback);
    error.message = Shown(error.message);
    return error;
  };
  SQLSetStmtAttrW(stmt.get(), SQL_ATTR_QUERY_TIMEOUT,
                  reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(kQueryTimeoutSeconds)), 0);

  // The bound values must stay where they are until the statement has run.
  std::vector<std::u16string> texts(params.size());
  std::vector<SQLBIGINT> numbers(params.size());
  std::vector<SQLLEN> lengths(params.size());
  for (std::size_t i = 0; i < params.size(); ++i) {
    const Param& p = params[i];
    const auto number = static_cast<SQLUSMALLINT>(i + 1);
    SQLRETURN rc;
    if (p.kind == Param::Kind::Number) {
      numbers[i] = p.number;
      lengths[i] = p.null ? SQL_NULL_DATA : 0;
      rc = SQLBindParameter(stmt.get(), number, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &numbers[i], 0,
                            &lengths[i]);
    } else {
      texts[i] = Utf16Of(p.text);
      const SQLLEN bytes = static_cast<SQLLEN>(texts[i].size() * sizeof(char16_t));
      lengths[i] = p.null ? SQL_NULL_DATA : bytes;
      const SQLULEN size = texts[i].empty() ? 1 : texts[i].size();
      rc = SQLBindParameter(stmt.get(), number, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, size, 0, Wide(texts[i]),
                            bytes, &lengths[i]);
    }
    if (!Succeeded(rc)) return failed(Tr("a value could not be bound"));
  }

  std::u16string text = Utf16Of(sql);
  const SQLRETURN rc = SQLExecDirectW(stmt.get(), Wide(text), SQL_NTS);
  if (rc == SQL_NO_DATA) {
    // An UPDATE or DELETE that touched no row.
    if (result) result->affected = 0;
    return std::nullopt;
  }
  if (!Succeeded(rc)) return failed(Tr("the statement failed"));
  if (!result) return std::nullopt;

  SQLLEN affected = -1;
  if (Succeeded(SQLRowCount(stmt.get(), &affected))) result->affected = affected;
  SQLSMALLINT columns = 0;
  if (!Succeeded(SQLNumResultCols(stmt.get(), &columns))) return failed(Tr("the result could not be read"));
  result->columns.clear();
  result->rows.clear();
  for (SQLSMALLINT c = 1; c <= columns; ++c) {
    SQLWCHAR name[256] = {};
    SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    if (!Succeeded(SQLDescribeColW(stmt.get(), static_cast<SQLUSMALLINT>(c), name, sizeof name / sizeof name[0],
                                   &nameLength, &type, &size, &digits, &nullable)))
      return failed(Tr("the result could not be read"));
    const std::size_t shown = nameLength < 0 ? 0 : std::min<std::size_t>(nameLength, 255);
    result->columns.push_back(Utf8Of(std::u16string_view(reinterpret_cast<const char16_t*>(name), shown)));
  }
  if (columns == 0) return std::nullopt;
  for (;;) {
    const SQLRETURN fetched = SQLFetch(stmt.get());
    if (fetched == SQL_NO_DATA) break;
    if (!Succeeded(fetched)) return failed(Tr("the result could not be read"));
    Row row(static_cast<std::size_t>(columns));
    for (SQLSMALLINT c = 1; c <= columns; ++c) {
      std::u16string value;
      bool isNull = false;
      // Long texts come in pieces; each piece ends in a terminating zero.
      for (;;) {
        char16_t piece[512];
        SQLLEN indicator = 0;
        const SQLRETURN got = SQLGetData(stmt.get(), static_cast<SQLUSMALLINT>(c), SQL_C_WCHAR, piece, sizeof piece,
                                         &indicator);
        if (got == SQL_NO_DATA) break;
        if (!Succeeded(got)) return failed(Tr("the result could not be read"));
        if (indicator == SQL_NULL_DATA) {
          isNull = true;
          break;
        }
        const std::size_t room = sizeof piece / sizeof piece[0] - 1;
        const std::size_t chars = indicator == SQL_NO_TOTAL || static_cast<std::size_t>(indicator) / 2 > room
                                      ? room
                                      : static_cast<std::size_t>(indicator) / 2;
        value.append(piece, chars);
        if (got == SQL_SUCCESS) break;
      }
      if (!isNull) row[static_cast<std::size_t>(c - 1)] = Utf8Of(value);
    }
    result->rows.push_back(std::move(row));
  }
  return std::nullopt;
}

std::optional<DbError> Session::Commit() {
  if (!handles_) return DbError{"08003", Tr("not connected")};
  if (Succeeded(SQLEndTran(SQL_HANDLE_DBC, handles_->dbc, SQL_COMMIT))) return std::nullopt;
  DbError error = DiagnosticOf(SQL_HANDLE_DBC, handles_->dbc, Tr("the commit failed"));
  error.message = Shown(error.message);
  return error;
}

void Session::Rollback() {
  if (handles_) SQLEndTran(SQL_HANDLE_DBC, handles_->dbc, SQL_ROLLBACK);
}

std::string Session::InfoText(unsigned short infoType) const {
  if (!handles_) return {};
  SQLWCHAR text[256] = {};
  SQLSMALLINT bytes = 0;
  if (!Succeeded(SQLGetInfoW(handles_->dbc, infoType, text, sizeof text, &bytes))) return {};
  const std::size_t chars = bytes < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(bytes) / 2, 255);
  return Utf8Of(std::u16string_view(reinterpret_cast<const char16_t*>(text), chars));
}

std::string Session::Shown(std::string text) const {
  // "[unixODBC][Driver Manager]..." and "[ma-3.1.15]...": who spoke, not what was said.
  while (text.starts_with('[')) {
    const std::size_t close = text.find(']');
    if (close == std::string::npos) break;
    text.erase(0, close + 1);
  }
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  std::string squeezed;
  for (char c : text)
    if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' ')) squeezed += c;
  while (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
  return MaskPasswords(squeezed, secrets_);
}

std::vector<std::string> DataSourceNames() {
  std::vector<std::string> names;
  SQLHENV env = SQL_NULL_HENV;
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return names;
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  SQLUSMALLINT direction = SQL_FETCH_FIRST;
  for (;;) {
    SQLWCHAR name[SQL_MAX_DSN_LENGTH + 1] = {};
    SQLWCHAR description[512] = {};
    SQLSMALLINT nameLength = 0, descriptionLength = 0;
    const SQLRETURN rc = SQLDataSourcesW(env, direction, name, SQL_MAX_DSN_LENGTH + 1, &nameLength, description,
                                         sizeof description / sizeof description[0], &descriptionLength);
    if (!Succeeded(rc)) break;
    const std::size_t chars = std::min<std::size_t>(nameLength < 0 ? 0 : nameLength, SQL_MAX_DSN_LENGTH);
    names.push_back(Utf8Of(std::u16string_view(reinterpret_cast<const char16_t*>(name), chars)));
    direction = SQL_FETCH_NEXT;
  }
  SQLFreeHandle(SQL_HANDLE_ENV, env);
  return names;
}

}  // namespace vx::odbc
