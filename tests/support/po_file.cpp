#include "support/po_file.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace vx::test {

namespace {

// The text of a quoted PO string: "..." with C's escapes.
std::string Unquote(const std::string& quoted) {
  const std::size_t begin = quoted.find('"');
  const std::size_t end = quoted.rfind('"');
  std::string text;
  for (std::size_t i = begin + 1; i < end; ++i) {
    if (quoted[i] != '\\' || i + 1 >= end) {
      text += quoted[i];
      continue;
    }
    const char escaped = quoted[++i];
    text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
  }
  return text;
}

std::string Trimmed(std::string line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return line;
}

}  // namespace

bool PoEntry::Fuzzy() const { return std::find(flags.begin(), flags.end(), "fuzzy") != flags.end(); }

std::vector<PoEntry> ReadPoFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<PoEntry> entries;
  PoEntry entry;
  bool any = false;
  std::string* last = nullptr;  // the string a continuation line adds to
  auto finish = [&] {
    if (any) entries.push_back(entry);
    entry = PoEntry();
    any = false;
    last = nullptr;
  };
  std::string line;
  while (std::getline(file, line)) {
    line = Trimmed(line);
    if (line.empty()) {
      finish();
      continue;
    }
    if (line.rfind("#~", 0) == 0) {
      entry.obsolete = true;
      line = line.substr(line.size() > 2 && line[2] == ' ' ? 3 : 2);
      if (line.empty() || line[0] == '#') continue;
    }
    if (line.rfind("#,", 0) == 0) {
      std::istringstream flags(line.substr(2));
      for (std::string flag; std::getline(flags, flag, ',');) {
        flag.erase(0, flag.find_first_not_of(' '));
        entry.flags.push_back(flag);
      }
      continue;
    }
    if (line.rfind("#.", 0) == 0) {
      entry.notes.push_back(line.substr(line.size() > 2 && line[2] == ' ' ? 3 : 2));
      continue;
    }
    if (line[0] == '#') continue;
    if (line[0] == '"') {
      if (last) *last += Unquote(line);
      continue;
    }
    const std::string keyword = line.substr(0, line.find(' '));
    any = true;
    if (keyword == "msgctxt") last = &entry.context;
    else if (keyword == "msgid") last = &entry.id;
    else if (keyword == "msgid_plural") last = &entry.idPlural;
    else {
      entry.translations.emplace_back();
      last = &entry.translations.back();
    }
    *last = Unquote(line);
  }
  finish();
  return entries;
}

std::string PoHeaderField(const std::string& header, const std::string& name) {
  std::istringstream lines(header);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(name + ": ", 0) == 0) return line.substr(name.size() + 2);
  return {};
}

}  // namespace vx::test
