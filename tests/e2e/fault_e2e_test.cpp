// A misbehaving reader/writer: what the operator sees for each fault, and that
// a failed card is never counted as written. The faults of a write that the
// fault table (fault_table_e2e_test.cpp) covers are not repeated here.

#include "e2e_window.h"

namespace vx::e2e {
namespace {

enum class Press { Write, Read };

struct FaultCase {
  const char* name;
  sim::Fault fault;
  Press press;
  QStringList lines;
  const char* cnBox;  // afterwards; the facility code box keeps "12" throughout
  const char* cnText;  // the card number the next Write Card sends
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class FaultTest : public EndToEndTest, public ::testing::WithParamInterface<FaultCase> {
 protected:
  std::string RecordedCn() {
    FormatTable& formats = window->State().formats;
    return FindFormatRowOf(formats, "HID26").CnText;
  }
};

TEST_P(FaultTest, ShowsTheOutcomeAndAdvancesOnlyAConfirmedCard) {
  const FaultCase& c = GetParam();
  Start(sim::FaultSet{c.fault});
  const TabSpec& tab = TabNamed("HID  WG26");
  Type(tab, tab.fcBox, "12");
  Type(tab, tab.cnBox, "345");

  Click(c.press == Press::Write ? tab.writeButton : tab.readButton);
  EXPECT_EQ(Lines(), c.lines);
  EXPECT_TRUE(LastLineSelected());
  EXPECT_EQ(Box(tab.fcBox)->text(), "12");
  EXPECT_EQ(Box(tab.cnBox)->text(), c.cnBox);
  EXPECT_EQ(RecordedCn(), c.cnText);
  EXPECT_TRUE(messages.empty());
}

const QStringList kNothing;

INSTANTIATE_TEST_SUITE_P(
    EveryFault, FaultTest,
    ::testing::Values(
        // "No card" is card data that fails its test: passed over without a line.
        FaultCase{"NoCardRead", sim::Fault::NoCard, Press::Read, kNothing, "345", "345"},
        FaultCase{"SplitWrite", sim::Fault::Split, Press::Write, {"12,345", "Write AND Read Block Success"}, "346",
                  "346"},
        FaultCase{"GarbageRead", sim::Fault::Garbage, Press::Read, kNothing, "345", "345"},
        FaultCase{"NoReadWrite", sim::Fault::NoRead, Press::Write, {"Read Block Data Fail"}, "345", "345"},
        FaultCase{"NoReadRead", sim::Fault::NoRead, Press::Read, {"Read Card Data Fail"}, "345", "345"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EndToEndTest, DevicePulledOutDuringAWriteFailsItAndTheNextDeviceWorks) {
  Start(sim::FaultSet{sim::Fault::Unplug});
  const TabSpec& tab = TabNamed("HID  WG26");
  Type(tab, tab.cnBox, "345");
  Click(tab.writeButton);
  EXPECT_EQ(Lines(), QStringList({"Write Block Data Fail"}));
  EXPECT_FALSE(window->Link().IsOpen());
  EXPECT_FALSE(window->State().BusyFlag);
  EXPECT_EQ(Box(tab.cnBox)->text(), "345");

  // Plugged in again: a new device with its own card.
  Click(12);
  const TabSpec& em4100 = TabNamed("EM4100");
  SelectTab(em4100.position);
  Click(em4100.readButton);
  EXPECT_EQ(Lines(), QStringList({"Write Block Data Fail", "System Link Success", "1,1"}));
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace vx::e2e
