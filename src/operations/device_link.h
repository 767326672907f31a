#pragma once
// The exchanges every device operation shares: opening the port chosen in
// Combo1, sending a frame and waiting for its reply, the settle pause, closing,
// and the "Link" button.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "operations/form_state.h"
#include "operations/host.h"
#include "device/frame.h"
#include "device/port_list.h"
#include "device/serial_link.h"
#include "i18n/translate.h"

namespace vx {

inline constexpr std::int16_t kReplyTicks = 50;   // a reply wait's time-out
inline constexpr std::int16_t kSettleTicks = 20;  // the pause between write and read-back

// The words of a port that does not open and of the link test's two outcomes.
inline constexpr LazyText kOpenFailure = TrLater("COM port open failure!");
inline constexpr LazyText kLinkSuccess = TrLater("System Link Success");
inline constexpr LazyText kLinkFail = TrLater("System Link Fail");

// What a device handler works with.
struct Device {
  FormState& state;
  Host& host;
  SerialLink& link;
  std::string portName = {};  // the port OpenDevicePort opened
  // The system's ports, for what the link banner says of the port; tests put a
  // fixed list here.
  std::function<std::vector<SerialPortInfo>()> listPorts = ListSerialPorts;
};

struct ReplyOutcome {
  enum class Status { Accepted, Rejected, TimedOut };
  Status status = Status::TimedOut;
  Bytes reply;  // the bytes taken, for Accepted and Rejected
  bool accepted() const { return status == Status::Accepted; }
};

// Closes the port if open, opens the port chosen in Combo1, yields once.
// On failure shows "COM port open failure!" and returns false (nothing logged).
// A window that began closing during the yield gets false too, the port
// closed again and no message.
// BusyFlag is the caller's, held by its BusyGuard.
bool OpenDevicePort(Device& dev);
// Closes the port if it is open.
void ClosePort(Device& dev);

// Closes the port on every way out of an operation once it has opened.
class PortCloser {
 public:
  explicit PortCloser(Device& dev) : dev_(dev) {}
  ~PortCloser() { ClosePort(dev_); }
  PortCloser(const PortCloser&) = delete;
  PortCloser& operator=(const PortCloser&) = delete;

 private:
  Device& dev_;
};
// Discards input, sends the frame, resets PollCount and waits up to 50 ticks.
// The outcome is what callers go by: a wait cut short by a closing window or a
// port that went away (device unplugged) is TimedOut with PollCount below 50.
ReplyOutcome AwaitReply(Device& dev, const Bytes& frame, ReplyKind kind);
// PollCount = 0, then yields until 20 ticks have passed.
void Settle(Device& dev);

// Command12_Click, the "Link" button. Besides its List1 line, the result
// banner tells which port linked, with what the system says it is. True when
// the device acknowledged the link.
bool Command12_Click(Device& dev);

}  // namespace vx
