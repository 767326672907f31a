#include <gtest/gtest.h>

#include <optional>

#include "operations/card_kinds.h"
#include "operations/operation_bench.h"

namespace vx::test {
namespace {

struct RangeCase {
  const char* format;              // the tab, as the record names its format
  std::optional<CardEntry> entry;  // an entry of the card-number file; nullopt: typed
  const char* fc;                  // the tab's texts, typed or taken from the entry
  const char* cn;
  const char* message;             // nullptr: written, and then
  const char* nextCn = nullptr;    // the card number shown and sent next
};

// HID26 carries facility codes 0..255 and card numbers 0..65535, EM4100
// 0..255 and 0..4294967295. Typed and listed numbers alike are checked
// before anything is sent, whichever kind of card the tab writes.
TEST(CardKinds, WriteChecksTheTabsRangesBeforeSending) {
  const RangeCase cases[] = {
      {"HID26", std::nullopt, "255", "65535", nullptr, "65536"},  // shown, and refused at the next press (below)
      {"HID26", std::nullopt, "0", "0", nullptr, "1"},
      {"HID26", std::nullopt, "007", "0300", nullptr, "301"},
      {"HID26", std::nullopt, "256", "1", "Facility Code is Error!"},
      {"HID26", std::nullopt, "", "1", "Facility Code is Error!"},
      {"HID26", std::nullopt, "-1", "1", "Facility Code is Error!"},
      {"HID26", std::nullopt, "1x", "1", "Facility Code is Error!"},
      {"HID26", std::nullopt, "1", "65536", "Card Number is Error!"},
      {"HID26", std::nullopt, "1", "", "Card Number is Error!"},
      {"HID26", std::nullopt, "1", "-5", "Card Number is Error!"},
      {"HID26", std::nullopt, "1", "1.5", "Card Number is Error!"},
      {"HID26", std::nullopt, "1", "99999999999999999999999", "Card Number is Error!"},
      {"HID26", std::nullopt, "999", "99999", "Facility Code is Error!"},
      {"EM4100", CardEntry{256, 1}, "256", "1", "Facility Code is Error!"},
      {"EM4100", CardEntry{-1, 1}, "-1", "1", "Facility Code is Error!"},
      {"EM4100", CardEntry{1, 4294967296.0}, "1", "4294967296", "Card Number is Error!"},
      {"EM4100", CardEntry{1, -7}, "1", "-7", "Card Number is Error!"},
      {"EM4100", std::nullopt, "", "5", "Facility Code is Error!"},
      {"EM4100", std::nullopt, "5", "", "Card Number is Error!"},
      {"EM4100", std::nullopt, "300", "5", "Facility Code is Error!"},
      // What a success on the largest card number shows next; refused when pressed.
      {"EM4100", std::nullopt, "1", "4294967296", "Card Number is Error!"},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(std::string(c.format) + " " + c.fc + "," + c.cn);
    Bench b;
    const TabSpec& tab = *TabOfCardFormat(c.format);
    const CardBinding binding = BindingOfTab(b.state, tab);
    if (c.entry) {
      b.host.useDatabase = true;
      b.LoadCards({*c.entry});
    } else {
      *binding.fcText = c.fc;
      *binding.cnText = c.cn;
    }
    b.host.SetBoxText(tab.fcBox, "8");  // a refusal leaves the boxes as they are
    RunCardAction(b.dev, tab, CardAction::Write);
    if (c.message) {
      EXPECT_EQ(b.host.messages, Strings{c.message});
      EXPECT_TRUE(b.link.written.empty());
      EXPECT_EQ(*binding.fcText, c.fc);
      EXPECT_EQ(*binding.cnText, c.cn);
      EXPECT_TRUE(b.host.list.empty());
      EXPECT_EQ(b.host.BoxText(tab.fcBox), "8");
      EXPECT_EQ(b.state.cards.CardCursor, 0);
    } else {
      EXPECT_TRUE(b.host.messages.empty());
      EXPECT_EQ(b.host.list.back(), "Write AND Read Block Success");  // "007" reads back as 7
      EXPECT_EQ(b.host.BoxText(tab.cnBox), c.nextCn);
      EXPECT_EQ(*binding.cnText, c.nextCn);
    }
    EXPECT_FALSE(b.link.IsOpen());
    EXPECT_FALSE(b.state.BusyFlag);
  }
}

}  // namespace
}  // namespace vx::test
