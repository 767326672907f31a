#include "formats/format_table.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "formats/item_reader.h"
#include "platform/text_file.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "i18n/ascii_case.h"

namespace vx {
namespace {

// FcMax must fit a signed 32-bit integer, so a facility code has at most 30 bits.
constexpr int kMaxFcBits = 30;

struct Marker {
  char upper;
  char lower;
};
// Tested in this order at every scan position.
constexpr Marker kMarkers[4] = {{'W', 'w'}, {'X', 'x'}, {'Y', 'y'}, {'Z', 'z'}};

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

bool IsFormatLine(std::string_view item) {
  const std::string_view head = item.substr(0, 3);
  return head == "HID" || head == "hid";
}

FormatFileError MakeError(const std::string& fileName, const Item& item, std::string problem) {
  return FormatFileError{fileName, item.line, PrintableExcerpt(item.text), std::move(problem)};
}

// Fills the layout numbers of `row` from the markers of a format line.
// Positions are 1-based, as the file's grammar counts them; a marker found at
// position p consumes p..p+4 (marker, separator, one or two digits).
std::optional<std::string> ScanMarkers(std::string_view text, FormatRow& row) {
  const std::size_t length = text.size();
  auto at = [&](std::size_t p) -> int {
    return p >= 1 && p <= length ? static_cast<unsigned char>(text[p - 1]) : -1;
  };
  for (std::size_t p = 5; p <= length; ++p) {
    for (int m = 0; m < 4; ++m) {
      const Marker marker = kMarkers[m];
      const int c1 = at(p);
      const int c2 = at(p + 1);
      const bool matches = (c1 == marker.upper && c2 == marker.upper) ||
                           (c1 == marker.lower && c2 == marker.lower);
      if (!matches) continue;
      const std::string name{static_cast<char>(c1), static_cast<char>(c2)};
      const int first = at(p + 3);
      if (!IsDigit(first)) {
        // TRANSLATORS: a fault of a format line; %1$s is the marker as written
        // (WW, XX, YY or ZZ), which stays as it is.
        return Format(Tr("\"%1$s\" is not followed by a number of one or two digits (as in %1$s=08)"), name);
      }
      int value = first - '0';
      const int second = at(p + 4);
      if (IsDigit(second)) value = value * 10 + (second - '0');
      const auto stored = static_cast<std::int16_t>(value);
      switch (m) {
        case 0:
          if (value > kMaxFcBits) {
            // TRANSLATORS: a fault of a format line; %1$s is the marker (WW), %2$d
            // the bits it asks for, %3$d the most allowed.
            return Format(Tr("the facility code width \"%1$s\" is %2$d bits; at most %3$d are allowed"), name, value,
                          kMaxFcBits);
          }
          row.FcBits = stored;
          row.FcMax = static_cast<std::int32_t>((std::int64_t{1} << value) - 1);
          break;
        case 1:
          row.CnBits = stored;
          row.CnMax = std::ldexp(1.0, value) - 1.0;
          break;
        case 2:
          row.ParamY = stored;
          break;
        default:
          row.ParamZ = stored;
          break;
      }
      p += 4;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string FormatFileError::Message() const {
  // TRANSLATORS: %1$s is the file (HID.cfg) and the last placeholder what is
  // wrong, in the words of the faults below ("the file does not exist").
  if (line <= 0) return Format(Tr("Cannot load the format file \"%1$s\": %2$s."), file, problem);
  // TRANSLATORS: %1$s is the file, %2$d the line, %3$s what is wrong.
  if (item.empty()) return Format(Tr("Cannot load the format file \"%1$s\": line %2$d: %3$s."), file, line, problem);
  // TRANSLATORS: %1$s is the file, %2$d the line, %3$s the item as written
  // there, %4$s what is wrong.
  return Format(Tr("Cannot load the format file \"%1$s\": line %2$d, item \"%3$s\": %4$s."), file, line, item,
                problem);
}

FormatFileResult ParseFormatText(std::string_view text, const std::string& fileName) {
  FormatFileResult result;
  ItemReader reader(WithoutByteOrderMark(text));
  while (!reader.AtEnd()) {
    const Item item = reader.Next();
    if (item.unclosedQuote) {
      // It would swallow every line after it, formats included.
      result.error = MakeError(fileName, item, Tr("a double quote opens an item but is never closed"));
      break;
    }
    if (!IsFormatLine(item.text)) continue;
    if (result.rows.size() >= static_cast<std::size_t>(kFormatRows)) {
      // TRANSLATORS: %d is the most format lines the program holds (256).
      result.error = MakeError(fileName, item,
                               Format(Tr("there are more than %1$d format lines; the table holds %1$d"), kFormatRows));
      break;
    }
    FormatRow row;
    row.FormatName = std::string(item.text.substr(0, 5));
    if (auto problem = ScanMarkers(item.text, row)) {
      result.error = MakeError(fileName, item, std::move(*problem));
      break;
    }
    result.rows.push_back(std::move(row));
  }
  if (result.error) result.rows.clear();
  return result;
}

FormatFileResult ReadFormatFile(const std::string& path) {
  const TextFileResult file = ReadTextFile(path, kFormatFileMaxBytes, TrCtx("file kind", "a format file"));
  if (!file.content) {
    FormatFileResult result;
    result.error = FormatFileError{path, 0, "", file.problem};
    return result;
  }
  return ParseFormatText(*file.content, path);
}

bool ApplyFormatRows(const FormatFileResult& result, FormatTable& table) {
  if (result.error || result.rows.size() > static_cast<std::size_t>(kFormatRows)) return false;
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    FormatRow& target = table.rows[i];
    const FormatRow source = i < result.rows.size() ? result.rows[i] : FormatRow{};
    target.FormatName = source.FormatName;
    target.FcBits = source.FcBits;
    target.CnBits = source.CnBits;
    target.ParamY = source.ParamY;
    target.ParamZ = source.ParamZ;
    target.FcMax = source.FcMax;
    target.CnMax = source.CnMax;
  }
  table.FormatCount = static_cast<std::int16_t>(result.rows.size());
  return true;
}

namespace {

std::optional<int> FindNamedRow(const FormatTable& table, std::string_view upperName) {
  const std::string lowerName = AsciiLowered(upperName);
  int count = table.FormatCount;
  if (count < 0) count = 0;
  if (count > kFormatRows) count = kFormatRows;
  for (int i = 0; i < count; ++i) {
    const std::string& name = table.rows[static_cast<std::size_t>(i)].FormatName;
    if (name == upperName || name == lowerName) return i;
  }
  return std::nullopt;
}

}  // namespace

int FindFormatRow(const FormatTable& table, std::string_view upperName) {
  return FindNamedRow(table, upperName).value_or(0);
}

bool HasFormatRow(const FormatTable& table, std::string_view upperName) {
  return FindNamedRow(table, upperName).has_value();
}

FormatRow& FindFormatRowOf(FormatTable& table, std::string_view upperName) {
  return table.rows[static_cast<std::size_t>(FindFormatRow(table, upperName))];
}

}  // namespace vx
