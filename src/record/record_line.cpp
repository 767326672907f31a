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
  const auto field = [&out](std::string_view text) {
    AppendField(out, text);
    out += ',';
  };
  field(line.time);
  field(line.port);
  field(line.tab);
  field(line.format);
  field(std::to_string(line.fcBits));
  field(std::to_string(line.cnBits));
  field(std::to_string(line.paramY));
  field(std::to_string(line.paramZ));
  field(line.facilityCode);
  field(line.cardNumber);
  field(line.source);
  field(line.entry > 0 ? std::to_string(line.entry) : std::string());
  field(line.outcome);
  field(line.readFacilityCode);
  AppendField(out, line.readCardNumber);
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
    if (count != kRecordColumns || f[0] == "time") continue;
    RecordLine line;
    if (!ParseSmallNumber(f[4], line.fcBits, false) || !ParseSmallNumber(f[5], line.cnBits, false) ||
        !ParseSmallNumber(f[6], line.paramY, false) || !ParseSmallNumber(f[7], line.paramZ, false) ||
        !ParseSmallNumber(f[11], line.entry, true) || f[12].empty())
      continue;
    line.time = std::move(f[0]);
    line.port = std::move(f[1]);
    line.tab = std::move(f[2]);
    line.format = std::move(f[3]);
    line.facilityCode = std::move(f[8]);
    line.cardNumber = std::move(f[9]);
    line.source = std::move(f[10]);
    line.outcome = std::move(f[12]);
    line.readFacilityCode = std::move(f[13]);
    line.readCardNumber = std::move(f[14]);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace vx
