#include "sim/pty_server_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "sim/sim_log.h"

namespace vx::sim {

namespace {

using Clock = std::chrono::steady_clock;

// The longest the server thread sleeps without looking at its stop flag.
constexpr std::chrono::milliseconds kPollSlice{10};

std::string SystemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

PtyServer::PtyServer(PtyServerOptions options) : options_(std::move(options)) {}

PtyServer::~PtyServer() { Stop(); }

bool PtyServer::Start(std::string* error) {
  auto fail = [&](const char* what) {
    if (error) *error = SystemError(what);
    CloseFds();
    return false;
  };
  if (running_) return true;
  if (thread_.joinable()) thread_.join();  // a server that stopped by itself (unplugged)
  CloseFds();
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) return fail("cannot open a pseudo-terminal");
  if (grantpt(master_) != 0) return fail("grantpt");
  if (unlockpt(master_) != 0) return fail("unlockpt");
  const char* name = ptsname(master_);
  if (name == nullptr) return fail("ptsname");
  slavePath_ = name;

  slaveKeeper_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
  if (slaveKeeper_ < 0) return fail("cannot open the pseudo-terminal's slave side");
  termios tio{};
  if (tcgetattr(slaveKeeper_, &tio) != 0) return fail("tcgetattr");
  cfmakeraw(&tio);
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  if (tcsetattr(slaveKeeper_, TCSANOW, &tio) != 0) return fail("tcsetattr");
  // The device talks whether or not anyone listens: a full buffer drops bytes
  // instead of blocking the server.
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

  stop_ = false;
  unplugged_ = false;
  running_ = true;
  thread_ = std::thread([this] { Serve(); });
  return true;
}

void PtyServer::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  CloseFds();
  running_ = false;
}

void PtyServer::CloseFds() {
  if (master_ >= 0) close(master_);
  if (slaveKeeper_ >= 0) close(slaveKeeper_);
  master_ = -1;
  slaveKeeper_ = -1;
}

void PtyServer::Serve() {
  DeviceModel model(options_.device);
  const DeviceTiming& timing = model.Options().timing;
  auto log = [this](const std::string& line) {
    if (options_.log) options_.log(line);
  };

  struct Timed {
    Clock::time_point due;
    std::uint8_t byte;
  };
  struct Reply {
    Clock::time_point done;
    Bytes bytes;
  };
  std::deque<Timed> outgoing;
  std::deque<Reply> unlogged;
  Clock::time_point lineFree{};
  Clock::time_point lastHeard = Clock::now();

  auto take = [&](std::vector<Exchange> exchanges, Clock::time_point heard) -> bool {
    for (Exchange& exchange : exchanges) {
      for (const std::string& line : ReceiveLines(exchange)) log(line);
      if (exchange.hangUp) return false;
      Clock::time_point at = std::max(heard, lineFree);
      for (const ReplyChunk& chunk : exchange.schedule) {
        at += chunk.delayBefore;
        for (std::uint8_t b : chunk.bytes) outgoing.push_back({at, b});
      }
      lineFree = at;
      if (!exchange.reply.empty()) unlogged.push_back({at, exchange.reply});
    }
    return true;
  };

  while (!stop_) {
    const Clock::time_point now = Clock::now();

    // Send what is due, byte by byte as the line would.
    Bytes due;
    while (!outgoing.empty() && outgoing.front().due <= now) {
      due.push_back(outgoing.front().byte);
      outgoing.pop_front();
    }
    if (!due.empty()) {
      // A client that is not reading loses bytes, as on a real line.
      [[maybe_unused]] const ssize_t written = write(master_, due.data(), due.size());
    }
    while (!unlogged.empty() && unlogged.front().done <= now) {
      log(SentLine(unlogged.front().bytes));
      unlogged.pop_front();
    }

    if (model.HasPartialFrame() && now - lastHeard >= timing.idleTimeout) {
      if (!take(model.LineIdle(), now)) break;
    }

    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(kPollSlice);
    if (!outgoing.empty()) {
      const auto untilDue = std::chrono::duration_cast<std::chrono::milliseconds>(outgoing.front().due - now);
      wait = std::clamp(untilDue, std::chrono::milliseconds{0}, wait);
    }
    pollfd pfd{master_, POLLIN, 0};
    const int ready = poll(&pfd, 1, static_cast<int>(wait.count()));
    if (ready < 0 && errno != EINTR) break;
    if (ready > 0 && (pfd.revents & (POLLERR | POLLNVAL)) != 0) break;
    if (ready > 0 && (pfd.revents & POLLIN) != 0) {
      std::uint8_t buffer[256];
      const ssize_t got = read(master_, buffer, sizeof buffer);
      if (got > 0) {
        lastHeard = Clock::now();
        const auto heard = lastHeard + timing.byteTime * got;
        if (!take(model.Receive(std::span(buffer, static_cast<std::size_t>(got))), heard)) {
          unplugged_ = true;
          break;
        }
      }
    }
  }

  // Marked stopped before the line drops, so a client that sees the hang-up
  // also sees a stopped server.
  running_ = false;
  if (unplugged_) {
    // Pull the plug: the client's port errors out from now on.
    CloseFds();
    log("-- unplugged");
  }
}

}  // namespace vx::sim
