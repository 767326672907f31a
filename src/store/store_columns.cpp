#include "store/store_columns.h"

#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 1;
    std::size_t taken = 1;
    while (taken < length && i + taken < text.size() && (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80)
      ++taken;
    // A sequence cut short is one replacement character, and so is each stray byte.
    i += taken == length ? length : taken;
    ++count;
  }
  return count;
}

std::optional<StoreFault> TooLongForColumns(const std::string& where, const std::vector<ColumnValue>& values) {
  for (const ColumnValue& v : values) {
    const std::size_t length = CharacterCount(v.value);
    if (length <= static_cast<std::size_t>(v.limit)) continue;
    // TRANSLATORS: %1$s is a column of the shared record ("vx_attempts.port"),
    // %2$d the length of the value this card would put there, %3$d the most
    // the column holds.
    return StoreFault{where,
                      Format(TrN("%1$s holds at most %3$d character, and this card's value has %2$d",
                                 "%1$s holds at most %3$d characters, and this card's value has %2$d", v.limit),
                             v.column, length, v.limit),
                      true};
  }
  return std::nullopt;
}

std::string FaultPlaceOf(const StorePlace& place) {
  if (!place.server.empty()) return place.server;
  if (!place.database.empty()) return place.database;
  return TrCtx("where the shared record failed", "the shared record");
}

}  // namespace vx
