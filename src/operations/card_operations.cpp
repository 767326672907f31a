#include "operations/card_operations.h"

#include <algorithm>

#include "carddata/card_data.h"
#include "operations/missing_format.h"
#include "formats/format_table.h"
#include "operations/card_exchange.h"

namespace vx {

namespace {

// A limit from the format file, held within what the card data can carry.
std::uint64_t LimitWithin(double fileMax, std::uint64_t dataMax) {
  if (!(fileMax >= 0)) return 0;  // also NaN
  return fileMax >= static_cast<double>(dataMax) ? dataMax : static_cast<std::uint64_t>(fileMax);
}

}  // namespace

// An HID tab is bound to the FormatTable row of its format name.
CardBinding HidBindingOf(FormState& state, const TabSpec& tab) {
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

namespace {

// A tab whose format the file lacks sends nothing and says why. A busy window
// stays silent, as for any press during a wait.
bool RefusedForMissingFormat(Device& dev, const TabSpec& tab) {
  if (!TabLacksFormat(dev.state.formats, tab)) return false;
  BusyGuard busy(dev.state);
  if (busy.Taken() && !dev.host.Closing()) dev.host.ShowRefusal(Refusal::MissingFormat, MissingFormatMessage(tab, kFormatFileName));
  return true;
}

}  // namespace

void WriteHidCard(Device& dev, const TabSpec& tab) {
  if (RefusedForMissingFormat(dev, tab)) return;
  WriteCard(dev, HidBindingOf(dev.state, tab));
}

void ReadHidCard(Device& dev, const TabSpec& tab) {
  if (RefusedForMissingFormat(dev, tab)) return;
  ReadCard(dev, HidBindingOf(dev.state, tab));
}

}  // namespace vx
