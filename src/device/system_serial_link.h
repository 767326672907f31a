#pragma once
// The system's own serial port, with no window toolkit: termios on POSIX
// systems, the Windows API on Windows. The console program and the Windows
// window talk to the reader/writer through it.

#include <chrono>
#include <memory>

#include "device/serial_link.h"

namespace vx {

class SystemSerialLink : public SerialLink {
 public:
  // Sleeps until received bytes wait or `timeout` has passed, whichever comes
  // first; with no port open, returns at once.
  virtual void WaitForInput(std::chrono::milliseconds timeout) = 0;
};

std::unique_ptr<SystemSerialLink> MakeSystemSerialLink();

}  // namespace vx
