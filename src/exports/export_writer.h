#pragma once
// The bytes of an import file: UTF-8, with a byte-order mark only when asked
// (spreadsheets want one to read UTF-8; importers may choke on it), every line
// ended by CR LF as the card record's lines are. A value is quoted as RFC 4180
// has it where it holds a separator of the layout, a quote or a line break,
// and also where a spreadsheet would change it: one with a leading zero, so
// that a careful import keeps it as text, and one that starts as a formula
// does (=, +, -, @, a tab or CR), which besides gets an apostrophe first, so
// that no spreadsheet ever runs it.

#include <string>
#include <string_view>
#include <vector>

#include "exports/credential_fields.h"
#include "exports/export_layout.h"
#include "exports/written_credentials.h"

namespace vx {

struct ExportText {
  std::string bytes;
  // A format the layout's format map has no code for: nothing is written then.
  std::string unmappedFormat;
};

ExportText ExportFileText(const Layout& layout, const std::vector<ExportedCredential>& credentials, Em4100Form form,
                          bool byteOrderMark);

// One value as the file has it. `separators` are the characters of the
// layout's literal text.
std::string ExportValue(std::string_view value, std::string_view separators, bool alwaysQuoted);

}  // namespace vx
