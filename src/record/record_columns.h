#pragma once
// What one line of the card record holds, and its columns, written once: the
// CSV file's header and fields, the keys of `--json`, the columns of the
// shared record's vx_attempts table (their names, types and sizes) and the
// fields of the shared record's journal all follow this table, in its order.
// Files and tables written by earlier versions are read by it, so a column's
// name, order and kind never change.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vx {

struct RecordLine {
  std::string time;          // local time with its UTC offset, to the millisecond
  std::string port;          // the port name that was opened
  std::string tab;           // the tab caption
  std::string format;        // the format name, or EM4100
  int fcBits = 0, cnBits = 0, paramY = 0, paramZ = 0;
  std::string facilityCode;  // what was sent; empty for a read
  std::string cardNumber;
  std::string source;        // "typed" or the card-number file's full path
  int entry = 0;             // 1-based entry of the file; 0 (shown empty) for a typed card or a read
  std::string outcome;
  std::string readFacilityCode;  // what the card gave back, or empty
  std::string readCardNumber;

  bool operator==(const RecordLine&) const = default;
};

// The longest text the shared record keeps of a column, in characters.
inline constexpr int kFormatColumnLength = 40;    // vx_cards.format, vx_attempts.format
inline constexpr int kSourceColumnLength = 1000;  // vx_cards.source, vx_attempts.source
inline constexpr int kPortColumnLength = 200;     // vx_attempts.port
inline constexpr int kTabColumnLength = 40;       // vx_attempts.tab
inline constexpr int kTimeColumnLength = 40;      // the times, as the CSV record writes them
inline constexpr int kNumberColumnLength = 20;    // a number kept as text in vx_attempts
inline constexpr int kOutcomeColumnLength = 40;   // vx_attempts.outcome

enum class ColumnKind {
  Text,          // always there, possibly empty
  OptionalText,  // none when empty: NULL in the shared record
  Number,        // always there
  Entry,         // a number, none when 0: an empty field in the CSV, NULL in the shared record
};

struct RecordColumn {
  std::string_view name;  // the CSV header's, the JSON key and the SQL column
  ColumnKind kind;
  std::string RecordLine::* text = nullptr;  // the text kinds
  int RecordLine::* number = nullptr;        // the number kinds
  int longest = 0;                           // the shared record's size of a text column

  constexpr bool IsText() const { return kind == ColumnKind::Text || kind == ColumnKind::OptionalText; }
};

inline constexpr RecordColumn kRecordColumnTable[] = {
    {"time", ColumnKind::Text, &RecordLine::time, nullptr, kTimeColumnLength},
    {"port", ColumnKind::Text, &RecordLine::port, nullptr, kPortColumnLength},
    {"tab", ColumnKind::Text, &RecordLine::tab, nullptr, kTabColumnLength},
    {"format", ColumnKind::Text, &RecordLine::format, nullptr, kFormatColumnLength},
    {"fc_bits", ColumnKind::Number, nullptr, &RecordLine::fcBits},
    {"cn_bits", ColumnKind::Number, nullptr, &RecordLine::cnBits},
    {"param_y", ColumnKind::Number, nullptr, &RecordLine::paramY},
    {"param_z", ColumnKind::Number, nullptr, &RecordLine::paramZ},
    {"facility_code", ColumnKind::Text, &RecordLine::facilityCode, nullptr, kNumberColumnLength},
    {"card_number", ColumnKind::Text, &RecordLine::cardNumber, nullptr, kNumberColumnLength},
    {"source", ColumnKind::Text, &RecordLine::source, nullptr, kSourceColumnLength},
    {"entry", ColumnKind::Entry, nullptr, &RecordLine::entry},
    {"outcome", ColumnKind::Text, &RecordLine::outcome, nullptr, kOutcomeColumnLength},
    {"read_facility_code", ColumnKind::OptionalText, &RecordLine::readFacilityCode, nullptr, kNumberColumnLength},
    {"read_card_number", ColumnKind::OptionalText, &RecordLine::readCardNumber, nullptr, kNumberColumnLength},
};
inline constexpr std::size_t kRecordColumns = std::size(kRecordColumnTable);

// A column's place in a line, for code that reads one field by its name.
consteval std::size_t RecordColumnAt(std::string_view name) {
  for (std::size_t at = 0; at < kRecordColumns; ++at)
    if (kRecordColumnTable[at].name == name) return at;
  throw "no such column";
}

// The places of the columns that readers of the file look at.
inline constexpr std::size_t kTimeAt = RecordColumnAt("time");
inline constexpr std::size_t kFormatAt = RecordColumnAt("format");
inline constexpr std::size_t kFacilityCodeAt = RecordColumnAt("facility_code");
inline constexpr std::size_t kCardNumberAt = RecordColumnAt("card_number");
inline constexpr std::size_t kSourceAt = RecordColumnAt("source");
inline constexpr std::size_t kEntryAt = RecordColumnAt("entry");
inline constexpr std::size_t kOutcomeAt = RecordColumnAt("outcome");

// The column names joined by `separator`.
std::string RecordColumnNames(std::string_view separator);

namespace record_columns_detail {
constexpr std::size_t HeaderLength() {
  std::size_t length = kRecordColumns - 1;
  for (const RecordColumn& column : kRecordColumnTable) length += column.name.size();
  return length;
}
constexpr std::array<char, HeaderLength()> Header() {
  std::array<char, HeaderLength()> text{};
  std::size_t at = 0;
  for (const RecordColumn& column : kRecordColumnTable) {
    if (at > 0) text[at++] = ',';
    for (const char c : column.name) text[at++] = c;
  }
  return text;
}
inline constexpr std::array<char, HeaderLength()> kHeader = Header();
}  // namespace record_columns_detail

// The CSV file's first line, without its line end.
inline constexpr std::string_view kRecordHeader(record_columns_detail::kHeader.data(),
                                                record_columns_detail::kHeader.size());

}  // namespace vx
