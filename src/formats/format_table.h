#pragma once
// The HID formats as HID.cfg defines them: one row per format line, 256 rows.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

inline constexpr int kFormatRows = 256;
// The format file, read from the current folder at start-up.
inline constexpr const char* kFormatFileName = "HID.cfg";
// 256 format lines take a few kilobytes; a file much larger than this limit is
// not a format file, and it is refused rather than read.
inline constexpr std::uintmax_t kFormatFileMaxBytes = 1024 * 1024;

struct FormatRow {
  std::string FormatName;      // characters 1-5 of the format line
  std::int16_t FcBits = 0;     // "WW"
  std::int16_t CnBits = 0;     // "XX"
  std::int16_t ParamY = 0;     // "YY", only forwarded to the device
  std::int16_t ParamZ = 0;     // "ZZ", only forwarded to the device
  std::int32_t FcMax = 0;      // 2^FcBits - 1
  double CnMax = 0;            // 2^CnBits - 1
  std::string FcText = "1";    // the format's current facility code, as typed
  std::string CnText = "1";    // the format's current card number, as typed
};

struct FormatTable {
  std::array<FormatRow, kFormatRows> rows{};
  std::int16_t FormatCount = 0;
};

// A fault in the format file. Message() says it in plain words for the
// start-up message box: the file, the line, the item and what is wrong.
struct FormatFileError {
  std::string file;
  int line = 0;          // 1-based; 0 when the file could not be opened
  std::string item;      // the item at fault (shortened when very long)
  std::string problem;   // e.g. "the file cannot be opened"
  std::string Message() const;
};

// Rows read from a format file, in file order, or the fault that stopped the reading.
struct FormatFileResult {
  std::vector<FormatRow> rows;
  std::optional<FormatFileError> error;
};

// Parses the text of a format file. `fileName` is only used in error messages.
// A UTF-8 byte-order mark at the very start is skipped.
FormatFileResult ParseFormatText(std::string_view text, const std::string& fileName);
// Reads and parses a format file; anything but a regular file of at most
// kFormatFileMaxBytes is refused unread.
FormatFileResult ReadFormatFile(const std::string& path);

// Fills rows 0.. of the table from a parsed result and sets FormatCount. The
// table is only touched when the result holds no error (never a partly loaded
// table). FcText and CnText of every row are left as they are.
bool ApplyFormatRows(const FormatFileResult& result, FormatTable& table);

// The row a tab uses: the first of rows 0..FormatCount-1 whose FormatName is
// exactly the upper-case name or its lower-case spelling; row 0 when none.
int FindFormatRow(const FormatTable& table, std::string_view upperName);
// True when one of rows 0..FormatCount-1 carries the name, so that
// FindFormatRow finds the format itself and not row 0 by default.
bool HasFormatRow(const FormatTable& table, std::string_view upperName);
// The row itself that FindFormatRow finds.
FormatRow& FindFormatRowOf(FormatTable& table, std::string_view upperName);

}  // namespace vx
