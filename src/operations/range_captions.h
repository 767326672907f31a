#pragma once
// The range labels' captions made from a format row: the window's words
// (beside the tab table) around the row's limits.

#include <string>
#include <string_view>

#include "formats/format_table.h"

namespace vx {

// "Facility Code:0-<FcMax>" and "Card Number:1-<CnMax>" of a row.
std::string FcRangeCaption(const FormatRow& row);
std::string CnRangeCaption(const FormatRow& row);

// True for the names whose tabs get their range captions from the file: the
// eight tab formats "HID24".."HID40", each in upper- or lower-case spelling.
// "HID24" is included so that the HID WG24 tab shows the same limits that its
// entry validators enforce, as every other HID tab does.
bool AppliesRangeCaptions(std::string_view formatName);

}  // namespace vx
