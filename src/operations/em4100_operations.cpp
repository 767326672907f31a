#include "operations/em4100_operations.h"

#include "carddata/card_data.h"
#include "operations/tabs.h"
#include "operations/card_exchange.h"

namespace vx {

namespace {

constexpr const TabSpec& Em4100Tab() {
  for (const TabSpec& tab : kTabs)
    if (tab.kind == TabKind::Em4100) return tab;
  return kTabs[0];  // the table always holds the EM4100 tab
}

}  // namespace

// The EM4100 tab: zero layout numbers (the device knows the format), one byte
// of facility code, four of card number, and its own pair of current texts.
CardBinding Em4100BindingOf(FormState& state) {
  const TabSpec& tab = Em4100Tab();
  return {.tab = tab.caption,
          .format = std::string(kEm4100FormatName),
          .params = FormatParams{},
          .fcLimit = kEm4100FcLimit,
          .cnLimit = kEm4100CnLimit,
          .fcText = &state.Em4100FcText,
          .cnText = &state.Em4100CnText,
          .fcBox = tab.fcBox,
          .cnBox = tab.cnBox,
          .encode = &EncodeEm4100CardData,
          .decode = &DecodeEm4100CardData,
          .selectAfterRefusedRead = true};
}

void Command20_Click(Device& dev) { WriteCard(dev, Em4100BindingOf(dev.state)); }

void Command21_Click(Device& dev) { ReadCard(dev, Em4100BindingOf(dev.state)); }

}  // namespace vx
