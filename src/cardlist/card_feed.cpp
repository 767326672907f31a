#include "cardlist/card_feed.h"

namespace vx {

bool TakeCurrentEntry(const CardList& list, std::string& fcText, std::string& cnText) {
  // The count and the entries come from one load, but a cursor that ever
  // strayed must not read past what was loaded.
  if (list.UsedUp() || list.CardCursor < 0 || static_cast<std::size_t>(list.CardCursor) >= list.entries.size())
    return false;
  const CardEntry& entry = list.entries[static_cast<std::size_t>(list.CardCursor)];
  fcText = FacilityCodeText(entry);
  cnText = CardNumberText(entry);
  return true;
}

bool AdvanceCursor(CardList& list, std::string& fcText, std::string& cnText) {
  if (list.CardCursor < list.CardCount) ++list.CardCursor;
  return TakeCurrentEntry(list, fcText, cnText);
}

std::string BatchProgressText(const CardList& list) {
  const std::string count = std::to_string(list.CardCount);
  if (list.CardCount <= 0) return "No card list loaded";
  if (list.UsedUp()) return "All " + count + " cards written";
  return "Next card: " + std::to_string(list.CardCursor + 1) + " of " + count;
}

void ReportBatchProgress(const CardList& list, Host& host) { host.ShowBatchProgress(BatchProgressText(list)); }

}  // namespace vx
