#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "store/connection_string.h"
#include "store/store_connection.h"

namespace vx {

namespace {

bool IsNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// A password of a few letters could be any word: it is masked only where it
// stands alone, not inside a longer word.
constexpr std::size_t kShortSecret = 4;

// Every secret masked in one pass over the text, the longest first where two
// start at one place: a mask is never searched again, so however many short
// secrets there are, the text cannot grow without end.
std::string MaskSecrets(const std::string& text, std::vector<std::string> secrets) {
  std::sort(secrets.begin(), secrets.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  secrets.erase(std::unique(secrets.begin(), secrets.end()), secrets.end());
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    std::size_t matched = 0;
    for (const std::string& secret : secrets) {
      if (secret.empty() || text.compare(at, secret.size(), secret) != 0) continue;
      const std::size_t after = at + secret.size();
      const bool alone = (at == 0 || !IsNamePart(text[at - 1])) && (after >= text.size() || !IsNamePart(text[after]));
      if (secret.size() >= kShortSecret || alone) {
        matched = secret.size();
        break;
      }
    }
    if (matched == 0) {
      out += text[at++];
      continue;
    }
    out += "***";
    at += matched;
  }
  return out;
}

}  // namespace

std::string MaskPasswords(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    // A key starts a word: at the start, or after anything that cannot be
    // part of a name (";", a blank, a brace, a quote). So a password inside
    // another key's braces ("pqopt={password=...}") is found too.
    if (!IsNamePart(text[i]) || (i > 0 && IsNamePart(text[i - 1]))) {
      out += text[i++];
      continue;
    }
    std::size_t nameEnd = i;
    while (nameEnd < text.size() && IsNamePart(text[nameEnd])) ++nameEnd;
    const std::string_view name(text.data() + i, nameEnd - i);
    std::size_t equals = nameEnd;
    // Blanks around the key are not part of it, as the connection's reader has it.
    while (equals < text.size() && std::isspace(static_cast<unsigned char>(text[equals])) != 0) ++equals;
    if (!IsPasswordKey(name) || equals >= text.size() || text[equals] != '=') {
      out.append(name);
      i = nameEnd;
      continue;
    }
    std::size_t value = equals + 1;
    while (value < text.size() && text[value] == ' ') ++value;
    out.append(text, i, value - i);
    out += "***";
    i = ConnectionValueEnd(text, value, /*lineEnds=*/true);
  }
  return out;
}

std::string MaskPasswords(const std::string& text, const std::vector<std::string>& secrets) {
  std::vector<std::string> forms;
  for (const std::string& secret : secrets) {
    if (secret.empty()) continue;
    forms.push_back(secret);
    // A driver may echo the password as it was written in braces.
    std::string braced;
    for (char c : secret) braced += c == '}' ? std::string("}}") : std::string(1, c);
    if (braced != secret) forms.push_back(std::move(braced));
  }
  return MaskSecrets(MaskPasswords(text), std::move(forms));
}

}  // namespace vx
