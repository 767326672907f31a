#include "operations/missing_format.h"

#include "i18n/text_format.h"
#include "i18n/translate.h"

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
  // TRANSLATORS: "HID.cfg has no HID24 format line, so the "HID WG24" tab
  // cannot write or read cards": the file, the format and the tab's caption,
  // which stay as they are.
  return Format(Tr("%s has no %s format line, so the \"%s\" tab cannot write or read cards"), fileName,
                tab.formatName, tab.caption);
}

std::string MissingFormatMessage(const TabSpec& tab, std::string_view fileName) {
  // TRANSLATORS: the first %s is the sentence "HID.cfg has no HID24 format
  // line, so ..."; then the format and the file.
  return Format(Tr("%s. Nothing was sent to the reader/writer. Add a %s line to %s and start the program again."),
                MissingFormatText(tab, fileName), tab.formatName, fileName);
}

}  // namespace vx
