// HID.cfg as any bytes at all: the loader either yields a table that keeps
// every limit of the format table, or refuses the whole file and leaves the
// table as it was.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/format_table.h"
#include "operations/range_captions.h"
#include "fuzz_check.h"

namespace {

bool Printable(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c >= 0x7F) return false;
  return true;
}

// A table that a failed load must not touch: every field differs from what a
// load could write.
vx::FormatTable SentinelTable() {
  vx::FormatTable table;
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    vx::FormatRow& row = table.rows[i];
    row.FormatName = "sent" + std::to_string(i);
    row.FcBits = -1;
    row.CnBits = -2;
    row.ParamY = -3;
    row.ParamZ = -4;
    row.FcMax = -5;
    row.CnMax = -6.5;
    row.FcText = "fc" + std::to_string(i);
    row.CnText = "cn" + std::to_string(i);
  }
  table.FormatCount = 7;
  return table;
}

bool SameRow(const vx::FormatRow& a, const vx::FormatRow& b) {
  return a.FormatName == b.FormatName && a.FcBits == b.FcBits && a.CnBits == b.CnBits &&
         a.ParamY == b.ParamY && a.ParamZ == b.ParamZ && a.FcMax == b.FcMax && a.CnMax == b.CnMax &&
         a.FcText == b.FcText && a.CnText == b.CnText;
}

bool InValueRange(int value) { return value >= 0 && value <= 99; }

void CheckRow(const vx::FormatRow& row) {
  const std::string_view name = row.FormatName;
  FUZZ_CHECK(name.size() >= 3 && name.size() <= 5);
  FUZZ_CHECK(name.substr(0, 3) == "HID" || name.substr(0, 3) == "hid");
  FUZZ_CHECK(InValueRange(row.FcBits) && InValueRange(row.CnBits));
  FUZZ_CHECK(InValueRange(row.ParamY) && InValueRange(row.ParamZ));
  FUZZ_CHECK(row.FcBits <= 30);  // FcMax fits a signed 32-bit integer
  FUZZ_CHECK(row.FcMax == static_cast<std::int32_t>((std::int64_t{1} << row.FcBits) - 1));
  FUZZ_CHECK(row.CnMax == std::ldexp(1.0, row.CnBits) - 1.0);
  // The captions of any row can be built.
  FUZZ_CHECK(vx::FcRangeCaption(row) == "Facility Code:0-" + std::to_string(row.FcMax));
  FUZZ_CHECK(vx::CnRangeCaption(row).rfind("Card Number:1-", 0) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vx::FormatFileResult result = vx::ParseFormatText(text, "HID.cfg");

  static const vx::FormatTable before = SentinelTable();
  vx::FormatTable table = before;
  const bool applied = vx::ApplyFormatRows(result, table);

  if (result.error) {
    // Refused whole: no rows, an untouched table, a message that names the place.
    FUZZ_CHECK(result.rows.empty());
    FUZZ_CHECK(!applied);
    FUZZ_CHECK(table.FormatCount == before.FormatCount);
    for (std::size_t i = 0; i < table.rows.size(); ++i) FUZZ_CHECK(SameRow(table.rows[i], before.rows[i]));
    FUZZ_CHECK(result.error->line >= 1);
    const std::string message = result.error->Message();
    FUZZ_CHECK(!message.empty() && Printable(message));
    FUZZ_CHECK(message.find("HID.cfg") != std::string::npos);
    return 0;
  }

  FUZZ_CHECK(applied);
  FUZZ_CHECK(result.rows.size() <= static_cast<std::size_t>(vx::kFormatRows));
  FUZZ_CHECK(table.FormatCount == static_cast<std::int16_t>(result.rows.size()));
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    const vx::FormatRow& row = table.rows[i];
    // A load writes the layout columns only; the current texts stay.
    FUZZ_CHECK(row.FcText == before.rows[i].FcText && row.CnText == before.rows[i].CnText);
    if (i < result.rows.size()) {
      CheckRow(row);
      FUZZ_CHECK(row.FormatName == result.rows[i].FormatName);
    } else {
      FUZZ_CHECK(row.FormatName.empty() && row.FcBits == 0 && row.CnBits == 0 && row.ParamY == 0 &&
                 row.ParamZ == 0 && row.FcMax == 0 && row.CnMax == 0);
    }
  }

  // Every tab finds a row within the table, and the first of its spellings.
  for (const char* name : {"HID24", "HID26", "HID32", "HID34", "HID35", "HID36", "HID37", "HID40"}) {
    const int found = vx::FindFormatRow(table, name);
    FUZZ_CHECK(found >= 0 && found < vx::kFormatRows);
    FUZZ_CHECK(found == 0 || found < table.FormatCount);
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    for (int i = 0; i < found; ++i)
      FUZZ_CHECK(table.rows[static_cast<std::size_t>(i)].FormatName != name &&
                 table.rows[static_cast<std::size_t>(i)].FormatName != lower);
  }
  return 0;
}
