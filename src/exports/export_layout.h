#pragma once
// What a line of an import file holds: the named layouts, and the form a
// layout file is read into (layout_file.h). A layout is an optional header
// line and one line a credential, made of literal text (the separators) and
// the credential's fields.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

enum class LayoutField {
  Format,        // the format's name: HID26, EM4100
  FormatCode,    // the site's code for the format, from the layout's map
  FacilityCode,  // see credential_fields.h
  CardNumber,
  Printed,       // the number printed on the card
  Pair,          // facility code and card number as one value: 12:1000
};

// One entry of a format map: `key` is a number of bits, meaning the HID
// format of that many bits ("26" is HID26), or a format's name ("EM4100"),
// in upper case.
struct FormatCode {
  std::string key;
  std::string code;
  bool operator==(const FormatCode&) const = default;
};

// Literal text, or one field's value.
struct LayoutPiece {
  std::optional<LayoutField> field = {};  // none: `literal`
  std::string literal = {};
  bool alwaysQuoted = false;              // the value is quoted even where it need not be
  std::vector<FormatCode> codes = {};     // FormatCode's map
  bool operator==(const LayoutPiece&) const = default;
};

struct Layout {
  std::optional<std::string> header;  // the first line, without its line end
  std::vector<LayoutPiece> pieces;    // the line of each credential
  bool operator==(const Layout&) const = default;
};

struct DelimiterName {
  std::string_view name;
  char delimiter;
};
inline constexpr std::array<DelimiterName, 3> kDelimiters{{{"comma", ','}, {"semicolon", ';'}, {"tab", '\t'}}};
// The character of a name of kDelimiters, in either case.
std::optional<char> DelimiterOfName(std::string_view name);

// The named layouts, each a header (or none) and its columns:
//   plain    format,facility_code,card_number,printed_number
//   camel    cardFormat,facilityCode,cardNumber,externalNumber
//   pair     12:1000, no header
//   columns  facility and card, no header
inline constexpr std::array<std::string_view, 4> kLayoutNames{"plain", "camel", "pair", "columns"};
// The named layout, its columns split by `delimiter`; none for another name.
std::optional<Layout> NamedLayout(std::string_view name, char delimiter);

// The code `codes` gives `format`, or none.
std::optional<std::string> CodeOfFormat(const std::vector<FormatCode>& codes, std::string_view format);

}  // namespace vx
