#pragma once
// The Windows serial port. Besides the SerialLink it offers an event that is
// signalled when bytes arrive, so that the window's wait can sleep on the port
// and its message queue together and wake for whichever comes first.

#include <string>

#include "device/system_serial_link.h"

namespace vx {

class WindowsSerialLink final : public SystemSerialLink {
 public:
  // With `watchArrivals`, InputEvent() offers the port's event; without, the
  // window looks at the port every tick. Watching is what Windows does
  // cheaply; Wine's serial layer watches by looking at the line every
  // millisecond in a thread of its own, which costs far more than a look
  // each tick (BENCHMARKS.md), so under Wine the default is not to watch.
  explicit WindowsSerialLink(bool watchArrivals = ArrivalWatchIsCheap());
  static bool ArrivalWatchIsCheap();
  ~WindowsSerialLink() override;
  WindowsSerialLink(const WindowsSerialLink&) = delete;
  WindowsSerialLink& operator=(const WindowsSerialLink&) = delete;

  // COM3, com12 or \\.\COM12: every name is opened as \\.\COMn, which all
  // port numbers need from COM10 on.
  void Open(const std::string& portName) override;
  bool IsOpen() const override { return port_ != nullptr; }
  void Close() override;
  void DiscardInput() override;
  std::size_t BytesWaiting() override;
  void Write(const Bytes& bytes) override;
  Bytes ReadAll() override;
  void WaitForInput(std::chrono::milliseconds timeout) override;

  // A manual-reset event (a HANDLE) that is signalled once bytes have arrived
  // since the last call; nullptr while no port is open. Each call starts a new
  // watch, so bytes that came before it and were left unread do not keep it
  // signalled.
  void* InputEvent();

 private:
  void StopWatch();

  bool watchArrivals_;
  void* port_ = nullptr;     // HANDLE, opened for overlapped I/O
  void* arrival_ = nullptr;  // HANDLE of the event the port's watch signals
  void* io_ = nullptr;       // HANDLE of the event of reads and writes
  struct Watch;
  Watch* watch_ = nullptr;   // the pending WaitCommEvent, if any
};

}  // namespace vx
