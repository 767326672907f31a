#include "operations/card_operations.h"

#include <algorithm>

#include "carddata/card_data.h"
#include "formats/format_table.h"
#include "operations/card_exchange.h"

namespace vx {

namespace {

// A limit from the format file, held within what the card data can carry.
std::uint64_t LimitWithin(double fileMax, std::uint64_t dataMax) {
  if (!(fileMax >= 0)) return 0;  // also NaN
  return fileMax >= static_cast<double>(dataMax) ? dataMax : static_cast<std::uint64_t>(fileMax);
}

// An HID tab is bound to the FormatTable row of its format name.
CardBinding HidBinding(FormState& state, const TabSpec& tab) {
  FormatRow& row = FindFormatRowOf(state.formats, tab.formatName);
  return {.tab = tab.caption,
          .format = row.FormatName,
          .params = FormatParamsOf(row),
          .fcLimit = LimitWithin(row.FcMax, kHidFcLimit),
          .cnLimit = LimitWithin(row.CnMax, kHidCnLimit),
          .fcText = &row.FcText,
          .cnText = &row.CnText,
          .fcBox = tab.fcBox,
          .cnBox = tab.cnBox,
          .encode = &EncodeHidCardData,
          .decode = &DecodeHidCardData};
}

}  // namespace

void WriteHidCard(Device& dev, const TabSpec& tab) { WriteCard(dev, HidBinding(dev.state, tab)); }

void ReadHidCard(Device& dev, const TabSpec& tab) { ReadCard(dev, HidBinding(dev.state, tab)); }

}  // namespace vx
