#pragma once
// Reads the entries of a .po or .pot file as msgmerge and xgettext write
// them: blocks separated by blank lines, "#," flags, "#~" for obsolete
// entries, strings continued on following lines.

#include <string>
#include <vector>

namespace vx::test {

struct PoEntry {
  std::string context;
  std::string id;
  std::string idPlural;
  std::vector<std::string> translations;  // msgstr, or msgstr[0], msgstr[1] ...
  std::vector<std::string> flags;         // fuzzy, c-format ...
  std::vector<std::string> notes;         // "#." lines: the notes to translators
  bool obsolete = false;

  bool Fuzzy() const;
};

// The entries in file order, the header (empty id) first; empty when the
// file cannot be read.
std::vector<PoEntry> ReadPoFile(const std::string& path);

// The value of a "Name: value" field of a header entry's text.
std::string PoHeaderField(const std::string& header, const std::string& name);

}  // namespace vx::test
