#pragma once
// An HID tab whose format the format file does not define. Left alone, such a
// tab would fall back on row 0 and write another format's layout, and the
// read-back in that same layout would pass it as good: so its Write Card and
// Read Card are refused, and the tab and --check-config say why.

#include <string>
#include <string_view>
#include <vector>

#include "operations/tabs.h"
#include "formats/format_table.h"

namespace vx {

// True for an HID tab whose format name has no row in the table.
bool TabLacksFormat(const FormatTable& table, const TabSpec& tab);
// The HID tabs that lack their format, in the order of the table of tabs.
std::vector<const TabSpec*> TabsLackingFormat(const FormatTable& table);

// `<file> has no HID24 format line, so the "HID WG24" tab cannot write or read cards`
std::string MissingFormatText(const TabSpec& tab, std::string_view fileName);
// The message box of a refused Write Card or Read Card.
std::string MissingFormatMessage(const TabSpec& tab, std::string_view fileName);

}  // namespace vx
