#pragma once
// The longest text each column of the shared record's tables holds, written
// once: the tables are made with these sizes, and what a card would put in
// them is checked against them before the card is written. A server refuses
// a value too long for good; found only at the settle, the card would be on
// the reader with no row to say so. VARCHAR sizes count characters (code
// points) in the engines the record runs on, and so does the check.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/record_columns.h"
#include "store/shared_store.h"

namespace vx {

// The sizes of the record line's columns are in its table (record_columns.h);
// these are of the columns only vx_cards has.
inline constexpr int kStationColumnLength = 200;  // vx_cards.station, vx_attempts.station
inline constexpr int kStateColumnLength = 10;     // vx_cards.state

// One value bound for a column: the column as "vx_attempts.port", its size.
struct ColumnValue {
  const char* column;
  int limit;
  std::string_view value;
};

// The characters of UTF-8 text as the engines count them; a byte that is no
// part of a character counts as one, as it is stored as U+FFFD.
std::size_t CharacterCount(std::string_view text);

// The first value longer than its column, as a refusal from `where`: the
// column, the value's length and the column's size (never the value itself,
// which may be anything).
std::optional<StoreFault> TooLongForColumns(const std::string& where, const std::vector<ColumnValue>& values);

// Where a fault of `place` happened, as StoreFault names it.
std::string FaultPlaceOf(const StorePlace& place);

}  // namespace vx
