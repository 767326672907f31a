#include "operations/card_kinds.h"

#include "operations/em4100_operations.h"
#include "operations/card_operations.h"

namespace vx {

void RunCardAction(Device& dev, const TabSpec& tab, CardAction action) {
  const bool write = action == CardAction::Write;
  switch (tab.kind) {
    case TabKind::Hid:
      write ? WriteHidCard(dev, tab) : ReadHidCard(dev, tab);
      return;
    case TabKind::Em4100:
      write ? Command20_Click(dev) : Command21_Click(dev);
      return;
  }
}

CardBinding BindingOfTab(FormState& state, const TabSpec& tab) {
  return tab.kind == TabKind::Em4100 ? Em4100BindingOf(state) : HidBindingOf(state, tab);
}

const TabSpec* TabOfCardFormat(std::string_view format) {
  for (const TabSpec& tab : kTabs)
    if (CardFormatOf(tab) == format) return &tab;
  return nullptr;
}

}  // namespace vx
