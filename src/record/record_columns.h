#pragma once
// What one line of the card record holds, and its columns, written once: the
// CSV file's header and fields, the keys of `--json`, the columns of the
// shared record's vx_attempts table (their names, types and sizes) and the
// fields of the shared record's journal all follow this table, in its order.
// Files and tables written by earlier versions are read by it, so a column's
// name, order and kind never change. A column added later is a trailing one:
// it comes after every other, a line without a value for it ends before it,
// and a line read without it reads it as empty, so older records read and
// resume as before and a line without its value keeps today's bytes.

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
  std::string printedNumber;  // the number printed on the card, digits as written; empty when none is known

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
inline constexpr int kPrintedColumnLength = 20;   // the most digits a printed number has

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
  bool trailing = false;                     // added later: a line may end before it

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
    {"printed_number", ColumnKind::OptionalText, &RecordLine::printedNumber, nullptr, kPrintedColumnLength, true},
};
// Every column, the trailing ones included: the most fields a line has.
inline constexpr std::size_t kRecordColumns = std::size(kRecordColumnTable);

namespace record_columns_detail {
consteval std::size_t FirstTrailing() {
  for (std::size_t at = 0; at < kRecordColumns; ++at)
    if (kRecordColumnTable[at].trailing) return at;
  return kRecordColumns;
}
}  // namespace record_columns_detail

// The columns every line has: the fields of a line without a trailing value,
// as every record written before the trailing columns has them.
inline constexpr std::size_t kRecordBaseColumns = record_columns_detail::FirstTrailing();
static_assert(kRecordBaseColumns + 1 == kRecordColumns, "one trailing column: a line has one of two lengths");

// Whether a line of `count` fields has the record's columns.
constexpr bool IsRecordFieldCount(std::size_t count) {
  return count == kRecordBaseColumns || count == kRecordColumns;
}

// The fields a line is written with: the trailing column only with a value.
inline std::size_t RecordFieldCountOf(const RecordLine& line) {
  return line.printedNumber.empty() ? kRecordBaseColumns : kRecordColumns;
}

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

inline constexpr std::size_t kPrintedNumberAt = RecordColumnAt("printed_number");

// The names of the first `count` columns joined by `separator`.
std::string RecordColumnNames(std::string_view separator, std::size_t count = kRecordColumns);

namespace record_columns_detail {
template <std::size_t Count>
constexpr std::size_t HeaderLength() {
  std::size_t length = Count - 1;
  for (std::size_t at = 0; at < Count; ++at) length += kRecordColumnTable[at].name.size();
  return length;
}
template <std::size_t Count>
constexpr std::array<char, HeaderLength<Count>()> Header() {
  std::array<char, HeaderLength<Count>()> text{};
  std::size_t at = 0;
  for (std::size_t column = 0; column < Count; ++column) {
    if (at > 0) text[at++] = ',';
    for (const char c : kRecordColumnTable[column].name) text[at++] = c;
  }
  return text;
}
inline constexpr auto kHeader = Header<kRecordBaseColumns>();
inline constexpr auto kHeaderWithPrinted = Header<kRecordColumns>();
}  // namespace record_columns_detail

// The CSV file's first line, without its line end: the header of every record
// made while no printed number is in use.
inline constexpr std::string_view kRecordHeader(record_columns_detail::kHeader.data(),
                                                record_columns_detail::kHeader.size());
// The header of a record made while printed numbers are in use; it begins
// with kRecordHeader, so either is known as a record's.
inline constexpr std::string_view kRecordHeaderWithPrinted(record_columns_detail::kHeaderWithPrinted.data(),
                                                           record_columns_detail::kHeaderWithPrinted.size());

}  // namespace vx
