#pragma once
// --check-config: load a format file as the start-up does and list its rows.

#include <iosfwd>
#include <string>

#include "formats/format_table.h"

namespace vx {

// One line per row: "<row> <FormatName> WW=<FcBits> XX=<CnBits> YY=<ParamY> ZZ=<ParamZ> FcMax=<FcMax> CnMax=<CnMax>".
std::string FormatRowLine(int row, const FormatRow& format);

// Prints the rows to `out`, then a "Missing: ..." line for each tab whose format
// the file lacks (those tabs refuse to write or read), and returns 0; or prints
// the fault's message to `err` and returns 1.
int RunCheckConfig(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace vx
