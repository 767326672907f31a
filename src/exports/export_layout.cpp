#include "exports/export_layout.h"

#include "i18n/ascii_case.h"
#include "record/record_columns.h"

namespace vx {

namespace {

struct NamedColumn {
  std::string_view header;
  LayoutField field;
};

struct NamedLayoutRow {
  std::string_view name;
  bool header;
  std::vector<NamedColumn> columns;
};

// plain's header is the card record's own words for its columns.
const NamedLayoutRow kNamedLayouts[] = {
    {"plain",
     true,
     {{kRecordColumnTable[kFormatAt].name, LayoutField::Format},
      {kRecordColumnTable[kFacilityCodeAt].name, LayoutField::FacilityCode},
      {kRecordColumnTable[kCardNumberAt].name, LayoutField::CardNumber},
      {"printed_number", LayoutField::Printed}}},
    {"camel",
     true,
     {{"cardFormat", LayoutField::Format},
      {"facilityCode", LayoutField::FacilityCode},
      {"cardNumber", LayoutField::CardNumber},
      {"externalNumber", LayoutField::Printed}}},
    {"pair", false, {{"", LayoutField::Pair}}},
    {"columns", false, {{"facility", LayoutField::FacilityCode}, {"card", LayoutField::CardNumber}}},
};

}  // namespace

std::optional<char> DelimiterOfName(std::string_view name) {
  for (const DelimiterName& d : kDelimiters)
    if (EqualsIgnoringAsciiCase(d.name, name)) return d.delimiter;
  return std::nullopt;
}

std::optional<Layout> NamedLayout(std::string_view name, char delimiter) {
  for (const NamedLayoutRow& row : kNamedLayouts) {
    if (!EqualsIgnoringAsciiCase(row.name, name)) continue;
    Layout layout;
    std::string header;
    for (const NamedColumn& column : row.columns) {
      if (!layout.pieces.empty()) {
        header += delimiter;
        layout.pieces.push_back({std::nullopt, std::string(1, delimiter)});
      }
      header += column.header;
      layout.pieces.push_back({column.field, {}});
    }
    if (row.header) layout.header = header;
    return layout;
  }
  return std::nullopt;
}

std::optional<std::string> CodeOfFormat(const std::vector<FormatCode>& codes, std::string_view format) {
  const std::string upper = AsciiUppered(format);
  const std::string_view bits = upper.starts_with("HID") ? std::string_view(upper).substr(3) : std::string_view();
  for (const FormatCode& code : codes)
    if (code.key == upper || (!bits.empty() && code.key == bits)) return code.code;
  return std::nullopt;
}

}  // namespace vx
