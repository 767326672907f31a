#pragma once
// One line of the card record: what a Write Card or Read Card sent, where the
// numbers came from, and what the device made of it. The record is a CSV file
// (RFC 4180, UTF-8) that installers open in a spreadsheet, so its columns are
// fixed and named by the header.

#include <string>
#include <string_view>
#include <vector>

namespace vx {

inline constexpr std::string_view kRecordHeader =
    "time,port,tab,format,fc_bits,cn_bits,param_y,param_z,facility_code,card_number,source,entry,outcome,"
    "read_facility_code,read_card_number";
inline constexpr std::size_t kRecordColumns = 15;

// The `source` of a card typed into the boxes.
inline constexpr std::string_view kTypedSource = "typed";
// The one outcome that counts for a resume.
inline constexpr std::string_view kWrittenOutcome = "written";

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
