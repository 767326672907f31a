#include "program/check_config.h"

#include <cstdio>
#include <ostream>

#include "operations/missing_format.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

std::string FormatRowLine(int row, const FormatRow& format) {
  // CnMax is a whole number held as a double: print it without a decimal point.
  char cnMax[32];
  std::snprintf(cnMax, sizeof cnMax, "%.0f", format.CnMax);
  return std::to_string(row) + ' ' + format.FormatName + " WW=" + std::to_string(format.FcBits) +
         " XX=" + std::to_string(format.CnBits) + " YY=" + std::to_string(format.ParamY) +
         " ZZ=" + std::to_string(format.ParamZ) + " FcMax=" + std::to_string(format.FcMax) + " CnMax=" + cnMax;
}

int RunCheckConfig(const std::string& path, std::ostream& out, std::ostream& err) {
  const FormatFileResult result = ReadFormatFile(path);
  if (result.error) {
    err << result.error->Message() << '\n';
    return 1;
  }
  for (std::size_t i = 0; i < result.rows.size(); ++i) out << FormatRowLine(static_cast<int>(i), result.rows[i]) << '\n';
  FormatTable table;
  ApplyFormatRows(result, table);
  for (const TabSpec* tab : TabsLackingFormat(table)) {
    // TRANSLATORS: %s is the sentence "HID.cfg has no HID24 format line, so ...".
    out << Format(Tr("Missing: %s"), MissingFormatText(*tab, path)) << '\n';
  }
  return 0;
}

}  // namespace vx
