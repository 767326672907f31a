#include "sim/replug_sim_link.h"

#include <gtest/gtest.h>

#include "device/frame.h"

namespace vx::sim {
namespace {

SimLinkOptions InstantLink(FaultSet faults = {}) {
  SimLinkOptions options;
  options.device.timing = DeviceTiming::Instant();
  options.device.faults = faults;
  return options;
}

Bytes ReadCard(SerialLink& link) {
  link.Write(ReadCardCommand({}));
  return link.ReadAll();
}

Bytes NewDeviceCard() {
  ReplugSimLink link(InstantLink());
  link.Open("COM1");
  return ReadCard(link);
}

TEST(ReplugSimLink, TheSameDeviceUntilUnpluggedThenANewOneAtTheNextOpen) {
  const Bytes defaultCard = NewDeviceCard();
  const CardData written{3, 0, 0, 0, 9};

  for (const bool unplug : {false, true}) {
    SCOPED_TRACE(unplug ? "unplug fault" : "no fault");
    ReplugSimLink link(InstantLink(unplug ? FaultSet{Fault::Unplug} : FaultSet{}));
    link.Open("COM1");
    ASSERT_TRUE(link.IsOpen());
    link.Write(WriteCardCommand({}, written));
    // Pulled out while writing: the port is gone and stays gone until opened again.
    EXPECT_EQ(link.IsOpen(), !unplug);
    if (!unplug) {
      EXPECT_EQ(link.ReadAll(), AckReply(kStatusOk));
    }
    link.Close();
    EXPECT_EQ(link.BytesWaiting(), 0u);

    link.Open("COM7");
    ASSERT_TRUE(link.IsOpen());
    EXPECT_EQ(ReadCard(link), unplug ? defaultCard : CardDataReply(kStatusOk, written));
  }
}

TEST(ReplugSimLink, APortThatWillNotOpenStaysShut) {
  SimLinkOptions options = InstantLink();
  options.refuseOpen = true;
  ReplugSimLink link(options);
  link.Open("COM1");
  EXPECT_FALSE(link.IsOpen());
  link.Write(LinkCommand());
  EXPECT_TRUE(link.ReadAll().empty());
}

}  // namespace
}  // namespace vx::sim
