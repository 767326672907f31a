#include "core/missing_format.h"

namespace vx {

bool TabLacksFormat(const FormatTable& table, const TabSpec& tab) {
  return tab.kind == TabKind::Hid && !HasFormatRow(table, tab.formatName);
}

std::vector<const TabSpec*> TabsLackingFormat(const FormatTable& table) {
  std::vector<const TabSpec*> lacking;
  for (const TabSpec& tab : kTabs)
    if (TabLacksFormat(table, tab)) lacking.push_back(&tab);
  return lacking;
}

std::string MissingFormatText(const TabSpec& tab, std::string_view fileName) {
  return std::string(fileName) + " has no " + std::string(tab.formatName) + " format line, so the \"" +
         std::string(tab.caption) + "\" tab cannot write or read cards";
}

std::string MissingFormatMessage(const TabSpec& tab, std::string_view fileName) {
  return MissingFormatText(tab, fileName) + ". Nothing was sent to the reader/writer. Add a " +
         std::string(tab.formatName) + " line to " + std::string(fileName) + " and start the program again.";
}

}  // namespace vx
