#include "record/record_line.h"

#include <charconv>

namespace vx {

namespace {

// RFC 4180: a field with a comma, a quote or a line break is quoted, and its
// quotes doubled. Leading blanks are kept as they are (tab captions carry two).
void AppendField(std::string& out, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

bool ParseSmallNumber(const std::string& text, int& value, bool emptyIsZero) {
  if (text.empty()) {
    value = 0;
    return emptyIsZero;
  }
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

}  // namespace

std::string FormatRecordLine(const RecordLine& line) {
  std::string out;
  out.reserve(160 + line.source.size());
  const std::size_t fields = RecordFieldCountOf(line);
  for (std::size_t at = 0; at < fields; ++at) {
    const RecordColumn& column = kRecordColumnTable[at];
    if (at > 0) out += ',';
    if (column.IsText()) {
      AppendField(out, line.*column.text);
    } else {
      const int value = line.*column.number;
      if (column.kind == ColumnKind::Number || value > 0) out += std::to_string(value);
    }
  }
  out += "\r\n";
  return out;
}

std::size_t NextCsvLine(std::string_view text, std::size_t& pos, std::vector<std::string>& fields) {
  std::size_t count = 0;
  const auto nextField = [&fields, &count]() -> std::string& {
    if (count == fields.size()) fields.emplace_back();
    std::string& field = fields[count++];
    field.clear();
    return field;
  };
  std::string* field = &nextField();
  std::size_t i = pos;
  const std::size_t n = text.size();
  while (i < n) {
    if (text[i] == '"' && field->empty()) {
      // A quoted field: runs to the closing quote, line breaks included.
      ++i;
      for (;;) {
        const std::size_t quote = text.find('"', i);
        if (quote == std::string_view::npos) return 0;
        field->append(text.substr(i, quote - i));
        i = quote + 1;
        if (i < n && text[i] == '"') {
          *field += '"';
          ++i;
          continue;
        }
        break;
      }
      continue;
    }
    // Unquoted run up to the next comma or line end.
    const std::size_t stop = text.find_first_of(",\r\n", i);
    if (stop == std::string_view::npos) return 0;
    field->append(text.substr(i, stop - i));
    i = stop;
    if (text[i] == ',') {
      field = &nextField();
      ++i;
      continue;
    }
    // A line end: "\n" or "\r\n" (a lone "\r" too).
    if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    pos = i + 1;
    return count;
  }
  return 0;
}

std::vector<RecordLine> ParseRecordText(std::string_view text) {
  // A byte-order mark a spreadsheet may have put in front.
  std::size_t pos = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  std::vector<RecordLine> lines;
  std::vector<std::string> f;
  while (pos < text.size()) {
    const std::size_t count = NextCsvLine(text, pos, f);
    if (count == 0) break;
    if (!IsRecordFieldCount(count) || f[0] == "time") continue;
    // A line without the trailing columns reads them as empty.
    if (f.size() < kRecordColumns) f.resize(kRecordColumns);
    for (std::size_t at = count; at < kRecordColumns; ++at) f[at].clear();
    RecordLine line;
    bool numbers = true;
    for (std::size_t at = 0; at < kRecordColumns && numbers; ++at) {
      const RecordColumn& column = kRecordColumnTable[at];
      if (!column.IsText()) numbers = ParseSmallNumber(f[at], line.*column.number, column.kind == ColumnKind::Entry);
    }
    if (!numbers || f[kOutcomeAt].empty()) continue;
    for (std::size_t at = 0; at < kRecordColumns; ++at)
      if (kRecordColumnTable[at].IsText()) line.*kRecordColumnTable[at].text = std::move(f[at]);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace vx
