// "Link" against devices that answer, stay silent, or answer with a refusal.

#include "app/link_factory.h"
#include "app/simulated_device.h"
#include "e2e_window.h"

namespace vx::e2e {
namespace {

struct LinkCase {
  const char* name;
  sim::FaultSet faults;
  std::uint8_t linkStatus;
  QStringList lines;
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }


class LinkTest : public EndToEndTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkTest, LogsWhatTheDeviceSaid) {
  sim::DeviceOptions device;
  device.faults = GetParam().faults;
  device.linkStatus = GetParam().linkStatus;
  Start(device);
  Click(12);
  EXPECT_EQ(Lines(), GetParam().lines);
  EXPECT_TRUE(LastLineSelected());
  EXPECT_TRUE(messages.empty());

  // The port was let go: a second Link opens it again and gets the same answer.
  Click(12);
  EXPECT_EQ(Lines(), GetParam().lines + GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, LinkTest,
    ::testing::Values(LinkCase{"Good", {}, sim::kStatusOk, {"System Link Success"}},
                      LinkCase{"Silent", {sim::Fault::Silent}, sim::kStatusOk, {"System Link Fail"}},
                      // An answer that is not an acknowledgement ends the wait with no line.
                      LinkCase{"WrongStatus", {}, sim::kStatusNoCard, {}},
                      // Stray bytes ahead of the acknowledgement make it fail its test.
                      LinkCase{"Garbage", {sim::Fault::Garbage}, sim::kStatusOk, {}},
                      LinkCase{"Split", {sim::Fault::Split}, sim::kStatusOk, {"System Link Success"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EndToEndTest, AnyPortChosenReachesTheSimulatedDevice) {
  Start();
  for (const char* port : {"16", "COM3", "/dev/ttyUSB0"}) {
    window->SetPortText(port);
    Click(12);
  }
  EXPECT_EQ(Lines(), QStringList({"System Link Success", "System Link Success", "System Link Success"}));
  EXPECT_TRUE(messages.empty());
}

TEST(SimulateOption, NamesTheFaultsOrRefusesAnUnknownOne) {
  struct Case {
    const char* faults;
    const char* note;  // nullptr: refused
  } const cases[] = {
      {"", "Simulated reader/writer"},
      {"split,garbage", "Simulated reader/writer (faults: split, garbage)"},
      {"REFUSE", "Simulated reader/writer (faults: refuse)"},
      {"split,bogus", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.faults);
    CommandLine line;
    line.simulate = c.faults;
    const LinkChoice choice = MakeSerialLink(line);
    if (!c.note) {
      EXPECT_EQ(choice.link, nullptr);
      EXPECT_NE(choice.error.find("\"bogus\""), std::string::npos) << choice.error;
      continue;
    }
    ASSERT_NE(choice.link, nullptr) << choice.error;
    EXPECT_EQ(choice.deviceNote, c.note);
  }
  EXPECT_TRUE(MakeSerialLink(CommandLine{}).deviceNote.empty());
}

}  // namespace
}  // namespace vx::e2e
