#include "operations/device_link.h"

#include "device/port_name.h"
#include "i18n/text_format.h"

namespace vx {

namespace {
// The banner after a link test on `port`; `description` may be empty.
ResultBanner LinkBanner(ReplyOutcome::Status status, const std::string& port, const std::string& description) {
  switch (status) {
    case ReplyOutcome::Status::Accepted:
      // TRANSLATORS: %s is the serial port (COM3, /dev/ttyUSB0).
      if (description.empty()) return {"\u2714 " + Format(Tr("Linked: %s"), port), BannerTone::Good};
      // TRANSLATORS: the serial port, then what the system calls the device on it.
      return {"\u2714 " + Format(Tr("Linked: %s (%s)"), port, description), BannerTone::Good};
    case ReplyOutcome::Status::TimedOut:
      return {"\u2718 " + Format(Tr("No link: no answer on %s"), port), BannerTone::Bad};
    case ReplyOutcome::Status::Rejected:
      return {"\u2718 " + Format(Tr("No link: the answer on %s was not the reader/writer's acknowledgement"), port),
              BannerTone::Bad};
  }
  return {};
}
}  // namespace

bool OpenDevicePort(Device& dev) {
  // An operation that finds the port open (left so by anything) starts afresh.
  ClosePort(dev);
  // The port is taken afresh at every operation; text that names no port opens
  // nothing, so the check below reports it rather than reusing an old port.
  if (const auto name = PortNameFor(dev.host.ComPortChoice(), NativePortNaming())) {
    dev.link.Open(*name);
    dev.portName = *name;
  }
  dev.host.ProcessEventsOnce();
  // A close asked for during that yield ends the operation before any frame
  // goes out; the closing window shows no message either.
  if (dev.host.Closing()) {
    ClosePort(dev);
    return false;
  }
  if (!dev.link.IsOpen()) {
    dev.host.ShowRefusal(Refusal::Port, kOpenFailure);
    return false;
  }
  return true;
}

void ClosePort(Device& dev) {
  if (dev.link.IsOpen()) dev.link.Close();
}

ReplyOutcome AwaitReply(Device& dev, const Bytes& frame, ReplyKind kind) {
  dev.link.DiscardInput();
  dev.link.Write(frame);
  dev.state.PollCount = 0;
  // PollCount counts ticks of time, so the time-out is the same however often
  // the loop passes.
  while (dev.state.PollCount < kReplyTicks) {
    dev.host.WaitForEvents(dev.state.PollCount.Until(kReplyTicks));
    // A closing window or a device pulled out will never answer: stop waiting.
    if (dev.host.Closing() || !dev.link.IsOpen()) break;
    if (dev.link.BytesWaiting() < ReplyLength(kind)) continue;
    Bytes reply = dev.link.ReadAll();
    if (ReplyPasses(kind, reply)) return {ReplyOutcome::Status::Accepted, std::move(reply)};
    // A garbled write acknowledgement may be followed by a good one.
    if (kind != ReplyKind::WriteAck) return {ReplyOutcome::Status::Rejected, std::move(reply)};
  }
  return {ReplyOutcome::Status::TimedOut, {}};
}

void Settle(Device& dev) {
  dev.state.PollCount = 0;
  while (dev.state.PollCount < kSettleTicks && !dev.host.Closing())
    dev.host.WaitForEvents(dev.state.PollCount.Until(kSettleTicks));
}

bool Command12_Click(Device& dev) {
  BusyGuard busy(dev.state);
  if (!busy.Taken()) return false;
  if (!OpenDevicePort(dev)) return false;

  const ReplyOutcome outcome = AwaitReply(dev, LinkCommand(), ReplyKind::LinkAck);
  // The description is read only once the device has answered or not, so the
  // wait is not lengthened by it.
  const std::string description =
      outcome.accepted() && dev.listPorts ? PortDescription(dev.listPorts(), dev.portName) : std::string();
  switch (outcome.status) {
    case ReplyOutcome::Status::Accepted:
      dev.host.LogLine(kLinkSuccess);
      break;
    case ReplyOutcome::Status::TimedOut:
      dev.host.LogLine(kLinkFail);
      break;
    case ReplyOutcome::Status::Rejected:
      // The device answered but not with an acknowledgement: no line.
      break;
  }
  dev.host.SelectLastLine();
  // A failed link must not leave an earlier "Linked" in view.
  dev.host.ShowResult(LinkBanner(outcome.status, dev.portName, description));
  ClosePort(dev);
  return outcome.accepted();
}


}  // namespace vx
