// The serial port through termios: 9600 baud, 8 data bits, no parity, 2 stop
// bits, raw, non-blocking. Waits sleep in poll() until bytes arrive or the
// deadline passes, so a waiting program spends no processor time.

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>

#include "device/system_serial_link.h"

namespace vx {

namespace {

// How long a frame may take to leave when the line is slow to take it: 17
// bytes at 9600 baud need under 20 ms.
constexpr int kWriteWaitMs = 500;

bool SetLine(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CRTSCTS);
  tio.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (cfsetispeed(&tio, B9600) != 0 || cfsetospeed(&tio, B9600) != 0) return false;
  return tcsetattr(fd, TCSANOW, &tio) == 0;
}

class PosixSerialLink final : public SystemSerialLink {
 public:
  ~PosixSerialLink() override { Close(); }

  void Open(const std::string& portName) override {
    Close();
    int fd;
    do fd = ::open(portName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return;
    // One program at a time on the port: a second one is refused rather than
    // reading half of the other's replies.
    if (ioctl(fd, TIOCEXCL) != 0 || !SetLine(fd)) {
      ::close(fd);
      return;
    }
    fd_ = fd;
    pending_.clear();
  }

  bool IsOpen() const override { return fd_ >= 0; }

  void Close() override {
    if (fd_ < 0) return;
    // The exclusive mark stays with the terminal while anyone else holds it
    // open; lifted here so the next operation (this program's too) may open it.
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    pending_.clear();
  }

  void DiscardInput() override {
    if (fd_ < 0) return;
    tcflush(fd_, TCIFLUSH);
    Drain();
    pending_.clear();
  }

  std::size_t BytesWaiting() override {
    Drain();
    return pending_.size();
  }

  void Write(const Bytes& bytes) override {
    std::size_t sent = 0;
    while (fd_ >= 0 && sent < bytes.size()) {
      const ssize_t n = ::write(fd_, bytes.data() + sent, bytes.size() - sent);
      if (n > 0) {
        sent += static_cast<std::size_t>(n);
      } else if (n < 0 && errno == EINTR) {
        // A signal (Ctrl+C) never leaves a frame half sent: the rest follows.
        continue;
      } else if (n < 0 && errno == EAGAIN) {
        pollfd p{fd_, POLLOUT, 0};
        if (poll(&p, 1, kWriteWaitMs) <= 0 && errno != EINTR) return;
      } else {
        Lost();
      }
    }
  }

  Bytes ReadAll() override {
    Drain();
    Bytes all;
    all.swap(pending_);
    return all;
  }

  void WaitForInput(std::chrono::milliseconds timeout) override {
    if (fd_ < 0) return;
    if (!pending_.empty()) return;
    pollfd p{fd_, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(timeout.count()));
    // A signal wakes the wait early; the caller looks at the clock and again.
    if (ready > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) Lost();
  }

 private:
  // Takes every byte the system holds for us into pending_.
  void Drain() {
    std::array<std::uint8_t, 256> chunk;
    while (fd_ >= 0) {
      const ssize_t n = ::read(fd_, chunk.data(), chunk.size());
      if (n > 0) {
        pending_.insert(pending_.end(), chunk.begin(), chunk.begin() + n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      // A raw line that returns at once (no minimum count, no timer) says
      // "nothing yet" with 0 as well as with EAGAIN.
      if (n == 0 || errno == EAGAIN) return;
      // Any other error: the device went away (a USB adapter pulled out, the
      // other side of a pseudo-terminal closed).
      Lost();
    }
  }

  // A device that went away closes the port, so waits stop at once and the
  // next operation reports the port as it finds it.
  void Lost() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
  }

  int fd_ = -1;
  Bytes pending_;
};

}  // namespace

std::unique_ptr<SystemSerialLink> MakeSystemSerialLink() { return std::make_unique<PosixSerialLink>(); }

}  // namespace vx
