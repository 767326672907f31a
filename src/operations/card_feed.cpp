#include "operations/card_feed.h"

#include "i18n/text_format.h"
#include "i18n/translate.h"

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
  if (list.CardCount <= 0) return Tr("No card list loaded");
  // TRANSLATORS: the batch line; %d is the cards of the list.
  if (list.UsedUp()) return Format(Tr("All %d cards written"), list.CardCount);
  // TRANSLATORS: the batch line; %1$d is the entry written next, %2$d the cards of the list.
  return Format(Tr("Next card: %1$d of %2$d"), list.CardCursor + 1, list.CardCount);
}

void ReportBatchProgress(const CardList& list, Host& host) { host.ShowBatchProgress(BatchProgressText(list)); }

}  // namespace vx
