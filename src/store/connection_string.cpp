#include "store/connection_string.h"

namespace vx {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Just past the brace that closes the value opened at `open`, or the end.
std::size_t BraceEnd(std::string_view text, std::size_t open) {
  for (std::size_t i = open + 1; i < text.size(); ++i) {
    if (text[i] != '}') continue;
    if (i + 1 < text.size() && text[i + 1] == '}') {
      ++i;
      continue;
    }
    return i + 1;
  }
  return text.size();
}

std::string Unbraced(std::string_view braced) {
  std::string value;
  for (std::size_t i = 1; i < braced.size(); ++i) {
    if (braced[i] != '}') {
      value += braced[i];
    } else if (i + 1 < braced.size() && braced[i + 1] == '}') {
      value += '}';
      ++i;
    } else {
      break;
    }
  }
  return value;
}

}  // namespace

std::size_t ConnectionValueEnd(std::string_view text, std::size_t pos, bool lineEnds) {
  if (pos < text.size() && text[pos] == '{') {
    const std::size_t closed = BraceEnd(text, pos);
    const std::size_t next = text.find_first_of(lineEnds ? ";\r\n" : ";", closed);
    return next == std::string_view::npos ? text.size() : next;
  }
  const std::size_t end = text.find_first_of(lineEnds ? ";\r\n" : ";", pos);
  return end == std::string_view::npos ? text.size() : end;
}

std::vector<ConnectionAttribute> ConnectionAttributes(std::string_view text) {
  std::vector<ConnectionAttribute> attributes;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t equals = text.find('=', i);
    const std::size_t semicolon = text.find(';', i);
    if (equals == std::string_view::npos || (semicolon != std::string_view::npos && semicolon < equals)) {
      if (semicolon == std::string_view::npos) break;
      i = semicolon + 1;  // a part without "=" says nothing
      continue;
    }
    std::size_t v = equals + 1;
    while (v < text.size() && text[v] == ' ') ++v;
    const std::size_t end = ConnectionValueEnd(text, v);
    const std::string_view written = text.substr(v, end - v);
    attributes.push_back({std::string(Trimmed(text.substr(i, equals - i))),
                          written.starts_with('{') ? Unbraced(written) : std::string(Trimmed(written))});
    i = end + 1;
  }
  return attributes;
}

bool IsPasswordKey(std::string_view key) {
  return EqualsIgnoringAsciiCase(key, "pwd") || EqualsIgnoringAsciiCase(key, "password");
}

std::string WithPassword(std::string connection, std::string_view password) {
  if (password.empty()) return connection;
  while (!connection.empty() && (IsBlank(connection.back()) || connection.back() == ';')) connection.pop_back();
  // A bare name is a data source: say so, or the password would make it a
  // connection string without one.
  if (!connection.empty() && connection.find('=') == std::string::npos) connection = "DSN=" + connection;
  std::string braced = "{";
  for (char c : password) braced += c == '}' ? std::string("}}") : std::string(1, c);
  braced += '}';
  return connection + (connection.empty() ? "" : ";") + "PWD=" + braced;
}

}  // namespace vx
