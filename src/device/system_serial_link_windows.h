#pragma once
// The Windows serial port. Besides the SerialLink it offers an event that is
// signalled when bytes arrive, so that the window's wait can sleep on the port
// and its message queue together and wake for whichever comes first.

#include <string>

#include "device/system_serial_link.h"

namespace vx {

class WindowsSerialLink final : public SystemSerialLink {
 public:
  // With `watchArrivals` (the program's choice), InputEvent() offers the
  // port's event; without, the window looks at the port every tick (what the
  // benchmark compares it with).
  explicit WindowsSerialLink(bool watchArrivals = true);
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

  // A manual-reset event (a HANDLE) that is signalled when a byte arrives
  // that was not waiting at the last call; nullptr while no port is open (or
  // without watching). Bytes left unread do not keep it signalled.
  void* InputEvent();

 private:
  void CollectWatch(bool stop);
  std::size_t QueuedBytes();

  bool watchArrivals_;
  void* port_ = nullptr;     // HANDLE, opened for overlapped I/O
  void* arrival_ = nullptr;  // HANDLE of the event the port's watch signals
  void* io_ = nullptr;       // HANDLE of the event of reads and writes
  struct Watch;
  Watch* watch_ = nullptr;   // the pending WaitCommEvent, if any
};

}  // namespace vx
