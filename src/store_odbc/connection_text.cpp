#include "store_odbc/connection_text.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "platform/text_file.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "store/connection_string.h"
#include "store_odbc/connection_file.h"

namespace vx::odbc {

namespace {

constexpr std::uintmax_t kConnectionFileMaxBytes = 64 * 1024;

std::string Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

bool IsOneOf(std::string_view key, std::initializer_list<std::string_view> names) {
  return std::any_of(names.begin(), names.end(), [key](std::string_view name) { return EqualsIgnoringAsciiCase(key, name); });
}

// A connection file's lines made one connection string.
std::string JoinedLines(std::string_view text) {
  std::string joined;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string line = Trimmed(text.substr(pos, end - pos));
    while (!line.empty() && line.back() == ';') line.pop_back();
    if (!line.empty()) joined += (joined.empty() ? "" : ";") + line;
    pos = end + 1;
  }
  return joined;
}

}  // namespace

std::optional<std::string> ResolveConnection(const std::string& connection, ConnectionText& text) {
  text = ConnectionText{};
  std::string given = Trimmed(connection);
  if (given.starts_with('@')) {
    const std::string path = given.substr(1);
    const TextFileResult file = ReadTextFile(path, kConnectionFileMaxBytes,
                                             // TRANSLATORS: fills "the file is 2 MiB, larger than %s can be".
                                             TrCtx("file kind", "a connection file"));
    // TRANSLATORS: the file named after @ in --shared-record, then why it cannot be read.
    if (!file.content) return Format(Tr("the connection file %1$s cannot be read: %2$s"), path, file.problem);
    if (auto exposed = ConnectionFileExposed(path)) return exposed;
    given = JoinedLines(WithoutByteOrderMark(*file.content));
  }
  if (given.empty()) return Tr("no database was named");
  // A bare name is a data source.
  text.connectionString = given.find('=') == std::string::npos ? "DSN=" + given : given;

  std::string dsn, server;
  for (const auto& [key, value] : ConnectionAttributes(text.connectionString)) {
    if (IsOneOf(key, {"dsn", "filedsn"})) dsn = value;
    if (IsOneOf(key, {"server", "servername", "host", "address", "addr", "hostname"})) server = value;
    if (IsOneOf(key, {"database", "db", "dbname", "initial catalog"})) text.database = value;
    if (IsPasswordKey(key) && !value.empty()) text.secrets.push_back(value);
  }
  text.where = !server.empty() ? server : dsn;
  return std::nullopt;
}

}  // namespace vx::odbc
