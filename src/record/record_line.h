#pragma once
// One line of the card record: what a Write Card or Read Card sent, where the
// numbers came from, and what the device made of it. The record is a CSV file
// (RFC 4180, UTF-8) that installers open in a spreadsheet, so its columns are
// fixed and named by the header (record_columns.h).

#include <string>
#include <string_view>
#include <vector>

#include "carddata/card_verdict.h"
#include "record/record_columns.h"

namespace vx {

// The `source` of a card typed into the boxes.
inline constexpr std::string_view kTypedSource = "typed";
// The one outcome that counts for a resume.
inline constexpr std::string_view kWrittenOutcome = RecordWordOf(CardVerdict::Written);

// The line as it goes into the file, ended by CR LF as RFC 4180 has it.
std::string FormatRecordLine(const RecordLine& line);

// Every whole line of a record's text that has the record's columns, header
// excepted. A partial last line (a crash while it was written) and lines that
// are not record lines are passed over, so a damaged record still reads.
std::vector<RecordLine> ParseRecordText(std::string_view text);

// Splits the CSV line at `pos` into `fields` (reusing their storage), moves
// `pos` past its line end and returns how many fields it has. 0 when the text
// ends inside the line: a line is whole only with its line end.
std::size_t NextCsvLine(std::string_view text, std::size_t& pos, std::vector<std::string>& fields);

}  // namespace vx
