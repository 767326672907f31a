#include "operations/device_link.h"

#include <gtest/gtest.h>

#include "device/port_name.h"
#include "support/fake_host.h"
#include "support/fake_link.h"

namespace vx {
namespace {

using test::AckReplyBytes;
using test::CardDataReplyBytes;
using test::FakeHost;
using test::FakeLink;
using Status = ReplyOutcome::Status;

// A scripted answer: bytes arriving at a tick counted from the frame's sending (1 = the first yield).
struct Arrival {
  int tick;
  Bytes bytes;
};

// A window, a port and a device; each row of a table gets its own.
struct Rig {
  // The device answers every frame with the given arrivals.
  void Answer(std::vector<Arrival> arrivals) {
    link.SetDevice([arrivals](const Bytes&, FakeLink& l) {
      for (const auto& a : arrivals) l.Reply(a.bytes, a.tick - 1);
    });
  }

  FormState state;
  FakeLink link;
  FakeHost host{state, link};
  Device dev{state, host, link};
};

class DeviceLinkTest : public ::testing::Test, public Rig {};

TEST_F(DeviceLinkTest, AwaitReplyOutcomes) {
  const Bytes goodAck = AckReplyBytes();
  const Bytes badAck = AckReplyBytes(0x01);
  const Bytes goodData = CardDataReplyBytes({0x00, 0x7B, 0x00, 0x01, 0x2C});
  const Bytes badData = CardDataReplyBytes({0, 0, 0, 0, 0}, 0x03);
  Bytes sevenBytes = goodAck;
  sevenBytes.push_back(0xEE);
  struct Case {
    const char* name;
    ReplyKind kind;
    std::vector<Arrival> arrivals;
    Status status;
    long ticks;  // ticks the wait lasted
    Bytes reply;
  };
  const Case cases[] = {
      {"ack at once", ReplyKind::LinkAck, {{1, goodAck}}, Status::Accepted, 1, goodAck},
      {"ack at the 50th tick", ReplyKind::LinkAck, {{50, goodAck}}, Status::Accepted, 50, goodAck},
      {"ack at the 51st tick", ReplyKind::LinkAck, {{51, goodAck}}, Status::TimedOut, 50, {}},
      {"no answer", ReplyKind::LinkAck, {}, Status::TimedOut, 50, {}},
      {"only five bytes", ReplyKind::LinkAck, {{1, Bytes(goodAck.begin(), goodAck.end() - 1)}}, Status::TimedOut,
       50, {}},
      {"ack in pieces", ReplyKind::LinkAck,
       {{2, Bytes(goodAck.begin(), goodAck.begin() + 3)}, {9, Bytes(goodAck.begin() + 3, goodAck.end())}},
       Status::Accepted, 9, goodAck},
      {"seventh byte ignored", ReplyKind::LinkAck, {{4, sevenBytes}}, Status::Accepted, 4, sevenBytes},
      {"failing link ack", ReplyKind::LinkAck, {{3, badAck}}, Status::Rejected, 3, badAck},
      {"failing write ack then a good one", ReplyKind::WriteAck, {{3, badAck}, {40, goodAck}}, Status::Accepted,
       40, goodAck},
      {"failing write ack only", ReplyKind::WriteAck, {{3, badAck}}, Status::TimedOut, 50, {}},
      {"card data", ReplyKind::CardData, {{7, goodData}}, Status::Accepted, 7, goodData},
      {"card data short of eleven", ReplyKind::CardData, {{7, Bytes(goodData.begin(), goodData.end() - 1)}},
       Status::TimedOut, 50, {}},
      {"card data with an error status", ReplyKind::CardData, {{7, badData}}, Status::Rejected, 7, badData},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.Answer(c.arrivals);
    r.link.Open("COM1");
    const ReplyOutcome out = AwaitReply(r.dev, LinkCommand(), c.kind);
    EXPECT_EQ(out.status, c.status);
    EXPECT_EQ(out.reply, c.reply);
    EXPECT_EQ(r.host.ticks(), c.ticks);
    EXPECT_EQ(r.link.written, std::vector<Bytes>{LinkCommand()});
  }
}

TEST_F(DeviceLinkTest, StaleInputIsDiscardedBeforeSending) {
  link.Open("COM1");
  link.Arrive(AckReplyBytes());
  EXPECT_EQ(AwaitReply(dev, LinkCommand(), ReplyKind::LinkAck).status, Status::TimedOut);
}

// Yields that bring no tick (received bytes, other window events) must not
// shorten the time-out: it is counted in Timer1 ticks only.
class SlowTimerHost : public FakeHost {
 public:
  using FakeHost::FakeHost;
  void WaitForEvents(std::chrono::milliseconds) override {
    ++passes;
    if (passes % 3 == 0) Tick();
  }
  int passes = 0;
};

TEST_F(DeviceLinkTest, TimeOutCountsTicksNotPasses) {
  SlowTimerHost slow{state, link};
  Device d{state, slow, link};
  link.Open("COM1");
  state.PollCount = 700;
  EXPECT_EQ(AwaitReply(d, LinkCommand(), ReplyKind::LinkAck).status, Status::TimedOut);
  EXPECT_EQ(slow.ticks(), 50);
  EXPECT_EQ(slow.passes, 150);
  EXPECT_EQ(state.PollCount, 50);
}

TEST_F(DeviceLinkTest, WaitEndsWhenTheWindowClosesOrThePortGoesAway) {
  struct Case {
    const char* name;
    std::function<void()> event;
  };
  const Case cases[] = {
      {"window closing", [&] { host.closing = true; }},
      {"device unplugged", [&] { link.Close(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host.closing = false;
    link.Open("COM1");
    Answer({{30, AckReplyBytes()}});
    const long start = host.ticks();
    host.AtTick(start + 5, c.event);
    EXPECT_EQ(AwaitReply(dev, LinkCommand(), ReplyKind::CardData).status, Status::TimedOut);
    EXPECT_EQ(host.ticks() - start, 5);
  }
}

TEST_F(DeviceLinkTest, SettleLastsTwentyTicks) {
  state.PollCount = 998;
  Settle(dev);
  EXPECT_EQ(host.ticks(), 20);
  EXPECT_EQ(state.PollCount, 20);

  host.AtTick(host.ticks() + 4, [&] { host.closing = true; });
  Settle(dev);
  EXPECT_EQ(host.ticks(), 24);
}

// Records what the link looked like when the window was let to process events.
class OrderHost : public FakeHost {
 public:
  OrderHost(FormState& s, FakeLink& l) : FakeHost(s, l), link_(l) {}
  void ProcessEventsOnce() override {
    FakeHost::ProcessEventsOnce();
    openWhenYielded.push_back(link_.IsOpen());
    opensWhenYielded = static_cast<int>(link_.opened.size());
  }
  std::vector<bool> openWhenYielded;
  int opensWhenYielded = -1;

 private:
  FakeLink& link_;
};

std::string NativeEntryPort(int entry) {
  return NativePortNaming() == PortNaming::Windows ? "COM" + std::to_string(entry + 1)
                                                   : "/dev/ttyS" + std::to_string(entry);
}

TEST_F(DeviceLinkTest, OpenDevicePortClosesReopensThenYieldsOnce) {
  OrderHost h{state, link};
  Device d{state, h, link};
  h.port = {15, "16"};
  link.Open("left open");
  EXPECT_TRUE(OpenDevicePort(d));
  EXPECT_EQ(link.closeCount, 1);
  EXPECT_EQ(link.opened, (std::vector<std::string>{"left open", NativeEntryPort(15)}));
  EXPECT_EQ(h.openWhenYielded, std::vector<bool>{true});
  EXPECT_EQ(h.opensWhenYielded, 2);
  EXPECT_TRUE(h.messages.empty());
  EXPECT_EQ(h.ticks(), 0);
}

// Through the Link button: a message, no line, no frame, and the next
// operation can start at once.
TEST_F(DeviceLinkTest, OpenFailureShowsTheMessageAndLogsNothing) {
  struct Case {
    const char* name;
    PortChoice port;
    bool refuse;
    std::vector<std::string> opened;
  };
  const Case cases[] = {
      {"port refused", {15, "16"}, true, {NativeEntryPort(15)}},
      {"typed text names no port", {-1, "printer"}, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.host.port = c.port;
    r.link.RefuseOpen(c.refuse);
    Command12_Click(r.dev);
    EXPECT_EQ(r.host.messages, std::vector<std::string>{"COM port open failure!"});
    EXPECT_TRUE(r.host.list.empty());
    EXPECT_TRUE(r.link.written.empty());
    EXPECT_EQ(r.link.opened, c.opened);
    EXPECT_EQ(r.host.eventPasses, 1);
    EXPECT_FALSE(r.state.BusyFlag);

    r.host.port = {0, "1"};
    r.link.RefuseOpen(false);
    r.Answer({{1, AckReplyBytes()}});
    Command12_Click(r.dev);
    EXPECT_EQ(r.host.list, std::vector<std::string>{"System Link Success"});
  }
}

TEST_F(DeviceLinkTest, LinkButtonOutcomes) {
  const Bytes goodAck = AckReplyBytes();
  Bytes seven = goodAck;
  seven.push_back(0x55);
  struct Case {
    const char* name;
    std::vector<Arrival> arrivals;
    std::vector<std::string> newLines;
    long ticks;
  };
  const Case cases[] = {
      {"accepted", {{2, goodAck}}, {"System Link Success"}, 2},
      {"seven bytes", {{2, seven}}, {"System Link Success"}, 2},
      {"no answer", {}, {"System Link Fail"}, 50},
      {"five bytes", {{2, Bytes(goodAck.begin(), goodAck.end() - 1)}}, {"System Link Fail"}, 50},
      {"six failing bytes", {{2, AckReplyBytes(0x01)}}, {}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.Answer(c.arrivals);
    r.host.list = {"earlier", "lines"};
    r.host.selectedLine = 0;
    Command12_Click(r.dev);
    std::vector<std::string> expected{"earlier", "lines"};
    expected.insert(expected.end(), c.newLines.begin(), c.newLines.end());
    EXPECT_EQ(r.host.list, expected);
    EXPECT_EQ(r.host.selectedLine, static_cast<int>(expected.size()) - 1);
    EXPECT_EQ(r.link.written, std::vector<Bytes>{LinkCommand()});
    EXPECT_EQ(r.host.ticks(), c.ticks);
    EXPECT_FALSE(r.link.IsOpen());
    EXPECT_EQ(r.link.closeCount, 1);
    EXPECT_FALSE(r.state.BusyFlag);
    EXPECT_TRUE(r.host.messages.empty());
  }
}

// The banner tells which port linked, in the system's words when it has some.
TEST_F(DeviceLinkTest, LinkBannerNamesThePort) {
  const std::vector<SerialPortInfo> ports{{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyUSB1", ""}};
  struct Case {
    const char* name;
    PortChoice port;
    std::vector<Arrival> arrivals;
    std::string opened;
    std::vector<ResultBanner> banners;
  };
  const Case cases[] = {
      {"listed port chosen", {17, "/dev/ttyUSB0 \u2014 FT232R USB UART"}, {{2, AckReplyBytes()}}, "/dev/ttyUSB0",
       {{"\u2714 Linked: /dev/ttyUSB0 (FT232R USB UART)", BannerTone::Good}}},
      {"port the system says nothing of", {18, "/dev/ttyUSB1"}, {{2, AckReplyBytes()}}, "/dev/ttyUSB1",
       {{"\u2714 Linked: /dev/ttyUSB1", BannerTone::Good}}},
      {"no answer", {-1, "/dev/pts/4"}, {}, "/dev/pts/4",
       {{"\u2718 No link: no answer on /dev/pts/4", BannerTone::Bad}}},
      {"an answer that is no acknowledgement", {-1, "/dev/pts/4"}, {{2, AckReplyBytes(0x01)}}, "/dev/pts/4",
       {{"\u2718 No link: the answer on /dev/pts/4 was not the reader/writer's acknowledgement", BannerTone::Bad}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.dev.listPorts = [&] { return ports; };
    r.host.port = c.port;
    r.Answer(c.arrivals);
    Command12_Click(r.dev);
    EXPECT_EQ(r.link.opened, std::vector<std::string>{c.opened});
    EXPECT_EQ(r.host.banners, c.banners);
  }
}

TEST_F(DeviceLinkTest, ClicksWhileBusyDoNothing) {
  Answer({{10, AckReplyBytes()}});
  host.AtTick(3, [&] { Command12_Click(dev); });
  Command12_Click(dev);
  EXPECT_EQ(link.written.size(), 1u);
  EXPECT_EQ(link.opened.size(), 1u);
  EXPECT_EQ(host.list, std::vector<std::string>{"System Link Success"});
  EXPECT_FALSE(state.BusyFlag);

  state.BusyFlag = true;
  Command12_Click(dev);
  EXPECT_EQ(link.opened.size(), 1u);
  EXPECT_TRUE(state.BusyFlag);  // still the holder's
}

}  // namespace
}  // namespace vx
