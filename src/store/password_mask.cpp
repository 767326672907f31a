#include <cctype>
#include <string_view>

#include "store/store_connection.h"

namespace vx {

namespace {

bool IsNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// Where the value that starts at `pos` ends: past its closing brace when it
// is braced ("}}" inside stands for one brace), else at the next ";" or line
// end. A brace never closed hides the rest of the text.
std::size_t ValueEnd(std::string_view text, std::size_t pos) {
  if (pos < text.size() && text[pos] == '{') {
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
      if (text[i] != '}') continue;
      if (i + 1 < text.size() && text[i + 1] == '}') {
        ++i;
        continue;
      }
      return i + 1;
    }
    return text.size();
  }
  const std::size_t end = text.find_first_of(";\r\n", pos);
  return end == std::string_view::npos ? text.size() : end;
}

}  // namespace

std::string MaskPasswords(const std::string& text) {
  static constexpr std::string_view kKeys[] = {"pwd", "password"};
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    // A key starts a word: at the start, or after anything that cannot be
    // part of a name (";", a blank, a brace, a quote).
    if (!IsNamePart(text[i]) || (i > 0 && IsNamePart(text[i - 1]))) {
      out += text[i++];
      continue;
    }
    std::size_t nameEnd = i;
    while (nameEnd < text.size() && IsNamePart(text[nameEnd])) ++nameEnd;
    const std::string_view name(text.data() + i, nameEnd - i);
    std::size_t equals = nameEnd;
    while (equals < text.size() && text[equals] == ' ') ++equals;
    bool isKey = false;
    for (std::string_view key : kKeys) isKey = isKey || EqualsIgnoringCase(name, key);
    if (!isKey || equals >= text.size() || text[equals] != '=') {
      out.append(name);
      i = nameEnd;
      continue;
    }
    std::size_t value = equals + 1;
    while (value < text.size() && text[value] == ' ') ++value;
    out.append(text, i, value - i);
    out += "***";
    i = ValueEnd(text, value);
  }
  return out;
}

}  // namespace vx
