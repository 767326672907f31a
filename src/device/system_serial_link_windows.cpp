#include "device/system_serial_link_windows.h"

#include <windows.h>

#include <algorithm>

#include "platform/utf16_text.h"

namespace vx {

namespace {

constexpr std::chrono::milliseconds kTick{10};
// A frame is a few bytes, sent in a few milliseconds at 9600 baud: a write
// still unfinished after this has lost its device.
constexpr DWORD kWriteTimeoutMs = 1000;
constexpr DWORD kWriteTimeoutPerByteMs = 2;
constexpr DWORD kQueueBytes = 4096;

HANDLE H(void* handle) { return static_cast<HANDLE>(handle); }

// COM10 and above open only through the device namespace, so every port does.
std::wstring DevicePath(const std::string& portName) {
  const std::wstring name = Wide(portName);
  const std::wstring prefix = L"\\\\.\\";
  return name.rfind(prefix, 0) == 0 ? name : prefix + name;
}

// The reader/writer's line: 9600 baud, 8 data bits, no parity, 2 stop bits,
// raw bytes, no flow control of any kind.
bool SetLine(HANDLE port) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(port, &dcb)) return false;
  dcb.BaudRate = CBR_9600;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = TWOSTOPBITS;
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
  return SetCommState(port, &dcb) != 0;
}

// A read returns at once with whatever has arrived; with nothing there it
// waits for the first byte. Reads of bytes already waiting so never block;
// the one read that waits is the watch, which is overlapped.
bool SetTimeouts(HANDLE port) {
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
  timeouts.ReadTotalTimeoutConstant = MAXDWORD - 1;
  timeouts.WriteTotalTimeoutMultiplier = kWriteTimeoutPerByteMs;
  timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
  return SetCommTimeouts(port, &timeouts) != 0;
}

}  // namespace

// The watch: a read of one byte, overlapped, that completes when a byte
// arrives. The system's poll of the port wakes it, so nothing here looks at
// the line while it is silent. The byte it takes is held for ReadAll.
struct WindowsSerialLink::Watch {
  OVERLAPPED overlapped{};
  std::uint8_t byte = 0;
  bool pending = false;
  Bytes held;  // bytes the watch took, oldest first, ahead of the port's queue
};

WindowsSerialLink::WindowsSerialLink(bool watchArrivals)
    : watchArrivals_(watchArrivals),
      arrival_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      io_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      watch_(new Watch) {}

WindowsSerialLink::~WindowsSerialLink() {
  Close();
  delete watch_;
  if (arrival_) CloseHandle(H(arrival_));
  if (io_) CloseHandle(H(io_));
}

void WindowsSerialLink::Open(const std::string& portName) {
  Close();
  HANDLE port = CreateFileW(DevicePath(portName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OVERLAPPED, nullptr);
  if (port == INVALID_HANDLE_VALUE) return;
  // A port that cannot take the reader/writer's line settings would talk to
  // it garbled: it counts as not opened.
  if (!SetLine(port) || !SetTimeouts(port)) {
    CloseHandle(port);
    return;
  }
  SetupComm(port, kQueueBytes, kQueueBytes);
  port_ = port;
  watch_->held.clear();
}

// Takes the watch's byte if it has come, and with `stop` ends a watch still
// waiting: the system must be done with the OVERLAPPED before it is reused.
void WindowsSerialLink::CollectWatch(bool stop) {
  if (!watch_->pending) return;
  if (!HasOverlappedIoCompleted(&watch_->overlapped)) {
    if (!stop) return;
    CancelIo(H(port_));
  }
  DWORD read = 0;
  if (GetOverlappedResult(H(port_), &watch_->overlapped, &read, TRUE) && read == 1)
    watch_->held.push_back(watch_->byte);
  watch_->pending = false;
}

void WindowsSerialLink::Close() {
  if (!port_) return;
  CollectWatch(true);
  CloseHandle(H(port_));
  port_ = nullptr;
  watch_->held.clear();
  ResetEvent(H(arrival_));
}

void WindowsSerialLink::DiscardInput() {
  if (!port_) return;
  CollectWatch(true);
  watch_->held.clear();
  PurgeComm(H(port_), PURGE_RXCLEAR | PURGE_RXABORT);
}

std::size_t WindowsSerialLink::QueuedBytes() {
  DWORD errors = 0;
  COMSTAT status{};
  if (!ClearCommError(H(port_), &errors, &status)) {
    // The device is gone (a USB adapter pulled out): a closed port ends the
    // wait at once rather than failing on every pass until it times out.
    Close();
    return 0;
  }
  return status.cbInQue;
}

std::size_t WindowsSerialLink::BytesWaiting() {
  if (!port_) return 0;
  CollectWatch(false);
  const std::size_t queued = QueuedBytes();
  return port_ ? watch_->held.size() + queued : 0;
}

void WindowsSerialLink::Write(const Bytes& bytes) {
  if (!port_ || bytes.empty()) return;
  OVERLAPPED overlapped{};
  overlapped.hEvent = H(io_);
  ResetEvent(H(io_));
  DWORD written = 0;
  if (!WriteFile(H(port_), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &overlapped)) {
    if (GetLastError() != ERROR_IO_PENDING || !GetOverlappedResult(H(port_), &overlapped, &written, TRUE)) {
      Close();
      return;
    }
  }
}

Bytes WindowsSerialLink::ReadAll() {
  if (!port_) return {};
  CollectWatch(true);
  Bytes received = std::move(watch_->held);
  watch_->held.clear();
  for (std::size_t waiting = QueuedBytes(); port_ && waiting > 0; waiting = QueuedBytes()) {
    const std::size_t start = received.size();
    received.resize(start + waiting);
    OVERLAPPED overlapped{};
    overlapped.hEvent = H(io_);
    ResetEvent(H(io_));
    DWORD read = 0;
    if (!ReadFile(H(port_), received.data() + start, static_cast<DWORD>(waiting), &read, &overlapped)) {
      if (GetLastError() != ERROR_IO_PENDING || !GetOverlappedResult(H(port_), &overlapped, &read, TRUE)) {
        received.resize(start);
        Close();
        break;
      }
    }
    received.resize(start + read);
    if (read == 0) break;
  }
  return received;
}

void* WindowsSerialLink::InputEvent() {
  if (!port_ || !watchArrivals_) return nullptr;
  CollectWatch(false);
  if (watch_->pending) return arrival_;
  // With bytes queued the read completes at once, taking one of them: the
  // caller wakes, finds no more than before and comes back, at most once
  // per byte queued, until the read waits for a byte still to come.
  watch_->overlapped = OVERLAPPED{};
  watch_->overlapped.hEvent = H(arrival_);
  ResetEvent(H(arrival_));
  DWORD read = 0;
  if (ReadFile(H(port_), &watch_->byte, 1, &read, &watch_->overlapped)) {
    if (read == 1) watch_->held.push_back(watch_->byte);
    SetEvent(H(arrival_));
    return read == 1 ? arrival_ : nullptr;
  }
  if (GetLastError() != ERROR_IO_PENDING) return nullptr;
  watch_->pending = true;
  return arrival_;
}

void WindowsSerialLink::WaitForInput(std::chrono::milliseconds timeout) {
  if (!port_ || timeout.count() <= 0) return;
  if (HANDLE event = H(InputEvent())) {
    WaitForSingleObject(event, static_cast<DWORD>(timeout.count()));
    return;
  }
  // No watch to sleep on: look again after a tick.
  Sleep(static_cast<DWORD>(std::min(timeout, kTick).count()));
}

std::unique_ptr<SystemSerialLink> MakeSystemSerialLink() { return std::make_unique<WindowsSerialLink>(); }

}  // namespace vx
