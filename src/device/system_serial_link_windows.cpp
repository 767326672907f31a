#include "device/system_serial_link_windows.h"

#include <windows.h>

#include <algorithm>

namespace vx {

namespace {

constexpr std::chrono::milliseconds kTick{10};
// A frame is a few bytes, sent in a few milliseconds at 9600 baud: a write
// still unfinished after this has lost its device.
constexpr DWORD kWriteTimeoutMs = 1000;
constexpr DWORD kWriteTimeoutPerByteMs = 2;
constexpr DWORD kQueueBytes = 4096;

HANDLE H(void* handle) { return static_cast<HANDLE>(handle); }

std::wstring Wide(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

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

// Reads return at once with whatever has arrived: the waits are the window's.
bool SetTimeouts(HANDLE port) {
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = 0;
  timeouts.ReadTotalTimeoutConstant = 0;
  timeouts.WriteTotalTimeoutMultiplier = kWriteTimeoutPerByteMs;
  timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
  return SetCommTimeouts(port, &timeouts) != 0;
}

}  // namespace

// The pending WaitCommEvent: the system writes into both until it completes.
struct WindowsSerialLink::Watch {
  OVERLAPPED overlapped{};
  DWORD events = 0;
  bool pending = false;
  // Bytes waiting when the watch last fired: a new watch that fires at once
  // with no more than these brings nothing new.
  std::size_t bytesSeen = 0;
};

bool WindowsSerialLink::ArrivalWatchIsCheap() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
}

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
  SetCommMask(port, EV_RXCHAR);
  port_ = port;
  watch_->bytesSeen = 0;
}

void WindowsSerialLink::StopWatch() {
  if (!watch_->pending) return;
  // Ending the mask completes the pending watch; the system must be done
  // with its OVERLAPPED before it is reused or freed.
  SetCommMask(H(port_), 0);
  CancelIo(H(port_));
  DWORD ignored = 0;
  GetOverlappedResult(H(port_), &watch_->overlapped, &ignored, TRUE);
  watch_->pending = false;
}

void WindowsSerialLink::Close() {
  if (!port_) return;
  StopWatch();
  CloseHandle(H(port_));
  port_ = nullptr;
  ResetEvent(H(arrival_));
}

void WindowsSerialLink::DiscardInput() {
  if (!port_) return;
  PurgeComm(H(port_), PURGE_RXCLEAR | PURGE_RXABORT);
  watch_->bytesSeen = 0;
}

std::size_t WindowsSerialLink::BytesWaiting() {
  if (!port_) return 0;
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
  Bytes received;
  for (std::size_t waiting = BytesWaiting(); port_ && waiting > 0; waiting = BytesWaiting()) {
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
  watch_->bytesSeen = 0;
  return received;
}

void* WindowsSerialLink::InputEvent() {
  if (!port_ || !watchArrivals_) return nullptr;
  if (watch_->pending) {
    if (!HasOverlappedIoCompleted(&watch_->overlapped)) return arrival_;
    DWORD ignored = 0;
    GetOverlappedResult(H(port_), &watch_->overlapped, &ignored, FALSE);
    watch_->pending = false;
    watch_->bytesSeen = BytesWaiting();
    if (!port_) return nullptr;
  }
  watch_->overlapped = OVERLAPPED{};
  watch_->overlapped.hEvent = H(arrival_);
  watch_->events = 0;
  ResetEvent(H(arrival_));
  if (!WaitCommEvent(H(port_), &watch_->events, &watch_->overlapped)) {
    if (GetLastError() == ERROR_IO_PENDING) {
      watch_->pending = true;
      return arrival_;
    }
    return nullptr;
  }
  // Fired at once. Some serial layers keep reporting bytes as long as any
  // wait unread (a reply still incomplete): only more of them count, else the
  // caller would wake again at once, over and over, until its deadline.
  const std::size_t waiting = BytesWaiting();
  if (waiting <= watch_->bytesSeen) return nullptr;
  watch_->bytesSeen = waiting;
  SetEvent(H(arrival_));
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
