#include "store_odbc/connection_text.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string_view>

#include "formats/text_file.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx::odbc {

namespace {

constexpr std::uintmax_t kConnectionFileMaxBytes = 64 * 1024;

std::string Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool IsOneOf(const std::string& key, std::initializer_list<std::string_view> names) {
  const std::string lower = Lower(key);
  return std::find(names.begin(), names.end(), lower) != names.end();
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

std::vector<std::pair<std::string, std::string>> ConnectionAttributes(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> attributes;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t equals = text.find('=', i);
    const std::size_t semicolon = text.find(';', i);
    if (equals == std::string::npos || (semicolon != std::string::npos && semicolon < equals)) {
      if (semicolon == std::string::npos) break;
      i = semicolon + 1;  // a part without "=" says nothing
      continue;
    }
    std::string key = Trimmed(std::string_view(text).substr(i, equals - i));
    std::size_t v = equals + 1;
    while (v < text.size() && text[v] == ' ') ++v;
    std::string value;
    if (v < text.size() && text[v] == '{') {
      std::size_t k = v + 1;
      for (; k < text.size(); ++k) {
        if (text[k] != '}') {
          value += text[k];
        } else if (k + 1 < text.size() && text[k + 1] == '}') {
          value += '}';
          ++k;
        } else {
          break;
        }
      }
      const std::size_t next = text.find(';', k);
      i = next == std::string::npos ? text.size() : next + 1;
    } else {
      const std::size_t end = text.find(';', v);
      value = Trimmed(std::string_view(text).substr(v, (end == std::string::npos ? text.size() : end) - v));
      i = end == std::string::npos ? text.size() : end + 1;
    }
    attributes.emplace_back(std::move(key), std::move(value));
  }
  return attributes;
}

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
    if (IsOneOf(key, {"pwd", "password"}) && !value.empty()) text.secrets.push_back(value);
  }
  text.where = !server.empty() ? server : dsn;
  return std::nullopt;
}

}  // namespace vx::odbc
