#include "sim/sim_link.h"

#include <gtest/gtest.h>

namespace vx::sim {
namespace {

using namespace std::chrono_literals;

// A clock the test moves by hand.
struct ManualClock {
  SimLink::Clock::time_point now{};
  SimLink::Now Fn() {
    return [this] { return now; };
  }
};

// A device with real timing on an open port, on the test's clock.
struct ClockedLink {
  explicit ClockedLink(SimLinkOptions options = {}) : link(std::move(options), clock.Fn()) { link.Open("COM1"); }
  ManualClock clock;
  SimLink link;
};

TEST(SimLink, BytesWaitUntilTheirTimeHasCome) {
  ClockedLink clocked;
  auto& [clock, link] = clocked;
  ASSERT_TRUE(link.IsOpen());
  link.Write(LinkCommand());
  // Heard after 6 byte times, answered 1 ms later, each reply byte one byte time apart.
  clock.now += 6 * 1146us + 1000us + 1146us - 1us;
  EXPECT_EQ(link.BytesWaiting(), 0u);
  clock.now += 1us;
  EXPECT_EQ(link.BytesWaiting(), 1u);
  clock.now += 3 * 1146us;
  EXPECT_EQ(link.BytesWaiting(), 4u);
  clock.now += 10ms;
  EXPECT_EQ(link.ReadAll(), (Bytes{0x02, 0x01, 0x00, 0x00, 0x03, 0x03}));
  EXPECT_EQ(link.BytesWaiting(), 0u);
}

TEST(SimLink, WriteTakesLongerThanRead) {
  ClockedLink clocked;
  auto& [clock, link] = clocked;
  link.Write(WriteCardCommand({8, 16, 0, 0}, {0, 18, 0, 1, 44}));
  clock.now += 30ms;
  EXPECT_EQ(link.BytesWaiting(), 0u);  // still writing the card
  clock.now += 40ms;
  EXPECT_EQ(link.ReadAll(), (Bytes{0x02, 0x01, 0x00, 0x00, 0x03, 0x03}));
  link.Write(ReadCardCommand({8, 16, 0, 0}));
  clock.now += 40ms;
  EXPECT_EQ(link.ReadAll(), (Bytes{0x02, 0x01, 0x00, 0x05, 0x00, 0x12, 0x00, 0x01, 0x2C, 0x39, 0x03}));
}

TEST(SimLink, TheCardOutlivesThePortAndUnreadBytesDoNot) {
  SimLinkOptions options;
  options.device.timing = DeviceTiming::Instant();
  SimLink link(options);
  link.Open("COM1");
  link.Write(WriteCardCommand({}, {3, 0, 0, 0, 9}));
  link.Close();
  EXPECT_EQ(link.BytesWaiting(), 0u);
  link.Open("COM2");
  EXPECT_EQ(link.BytesWaiting(), 0u);
  link.Write(ReadCardCommand({}));
  EXPECT_EQ(link.ReadAll(), CardDataReply(0x00, {3, 0, 0, 0, 9}));
}

TEST(SimLink, DiscardDropsOnlyWhatHasArrived) {
  ClockedLink clocked;
  auto& [clock, link] = clocked;
  link.Write(LinkCommand());
  clock.now += 6 * 1146us + 1000us + 2 * 1146us;
  link.DiscardInput();
  clock.now += 10ms;
  EXPECT_EQ(link.ReadAll(), (Bytes{0x00, 0x00, 0x03, 0x03}));
}

TEST(SimLink, RefusedPortsAndUnplugging) {
  SimLinkOptions refusing;
  refusing.refuseOpen = true;
  SimLink refused(refusing);
  refused.Open("COM1");
  EXPECT_FALSE(refused.IsOpen());

  SimLinkOptions unplug;
  unplug.device.timing = DeviceTiming::Instant();
  unplug.device.faults = {Fault::Unplug};
  SimLink link(unplug);
  std::vector<std::string> log;
  link.SetLog([&](const std::string& line) { log.push_back(line); });
  link.Open("COM1");
  link.Write(LinkCommand());
  EXPECT_EQ(link.ReadAll().size(), 6u);
  link.Write(WriteCardCommand({}, {1, 0, 0, 0, 2}));
  EXPECT_FALSE(link.IsOpen());
  EXPECT_TRUE(link.Unplugged());
  EXPECT_EQ(link.BytesWaiting(), 0u);
  link.Open("COM1");
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(log.back(), "-- unplugged");
}

TEST(SimLink, AQuietLineEndsAFrameWithACorruptLength) {
  SimLinkOptions options;
  options.device.timing.byteTime = 0us;
  ClockedLink clocked(options);
  auto& [clock, link] = clocked;
  link.Write(Bytes{0x02, 0x01, 0x00, 0x0B, 0x00});  // announces 11 data bytes, sends one
  clock.now += 1s;
  link.Write(LinkCommand());
  clock.now += 10ms;
  EXPECT_EQ(link.ReadAll(), (Bytes{0x02, 0x01, 0x00, 0x00, 0x03, 0x03}));
}

TEST(SimLink, LogsFramesRepliesAndTheCard) {
  SimLinkOptions options;
  options.device.timing = DeviceTiming::Instant();
  SimLink link(options);
  std::vector<std::string> log;
  link.SetLog([&](const std::string& line) { log.push_back(line); });
  link.Open("COM1");
  link.Write(WriteCardCommand({8, 16, 0, 0}, {0, 18, 0, 1, 44}));
  link.ReadAll();
  const std::vector<std::string> expected = {
      "<- 02 01 A5 0B 00 00 08 10 00 00 00 12 00 01 2C 8A 03",
      "-- card Wiegand, 26 bits: 0 000100100000000100101100 1",
      "-> 02 01 00 00 03 03",
  };
  EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace vx::sim
