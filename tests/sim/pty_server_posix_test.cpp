#include "sim/pty_server_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>

namespace vx::sim {
namespace {

using namespace std::chrono_literals;

// A client of the pseudo-terminal, opened as a program opens a serial port.
class Client {
 public:
  explicit Client(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {
    if (fd_ >= 0) {
      termios tio{};
      tcgetattr(fd_, &tio);
      cfmakeraw(&tio);
      tcsetattr(fd_, TCSANOW, &tio);
    }
  }
  ~Client() {
    if (fd_ >= 0) close(fd_);
  }
  bool Ok() const { return fd_ >= 0; }
  bool Send(const Bytes& bytes) { return write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()); }
  // Reads until `count` bytes have come, the line fails, or `limit` has passed.
  Bytes Receive(std::size_t count, std::chrono::milliseconds limit = 1000ms) {
    Bytes got;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (got.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd pfd{fd_, POLLIN, 0};
      if (poll(&pfd, 1, static_cast<int>(left.count())) <= 0) break;
      std::uint8_t buffer[64];
      const ssize_t n = read(fd_, buffer, sizeof buffer);
      if (n <= 0) {
        failed = true;
        break;
      }
      got.insert(got.end(), buffer, buffer + n);
    }
    return got;
  }
  bool failed = false;

 private:
  int fd_;
};

struct LoggedServer {
  std::mutex mutex;
  std::vector<std::string> lines;
  PtyServer server;

  explicit LoggedServer(DeviceOptions device)
      : server(PtyServerOptions{std::move(device), [this](const std::string& line) {
                                  std::lock_guard lock(mutex);
                                  lines.push_back(line);
                                }}) {}
  std::vector<std::string> Lines() {
    std::lock_guard lock(mutex);
    return lines;
  }
};

TEST(PtyServer, AnswersTheLinkAndReadsBackAWrite) {
  LoggedServer logged{DeviceOptions{}};  // real timing
  std::string error;
  ASSERT_TRUE(logged.server.Start(&error)) << error;
  ASSERT_FALSE(logged.server.SlavePath().empty());

  Client client(logged.server.SlavePath());
  ASSERT_TRUE(client.Ok());
  ASSERT_TRUE(client.Send(LinkCommand()));
  EXPECT_EQ(client.Receive(6), (Bytes{0x02, 0x01, 0x00, 0x00, 0x03, 0x03}));

  const FormatParams hid26{8, 16, 0, 0};
  ASSERT_TRUE(client.Send(WriteCardCommand(hid26, {0x00, 0x7B, 0x00, 0x01, 0x2C})));
  EXPECT_EQ(client.Receive(6), (Bytes{0x02, 0x01, 0x00, 0x00, 0x03, 0x03}));
  ASSERT_TRUE(client.Send(ReadCardCommand(hid26)));
  EXPECT_EQ(client.Receive(11), (Bytes{0x02, 0x01, 0x00, 0x05, 0x00, 0x7B, 0x00, 0x01, 0x2C, 0x50, 0x03}));

  logged.server.Stop();
  const auto lines = logged.Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "<- 02 01 00 00 03 03");
  EXPECT_EQ(lines[1], "-> 02 01 00 00 03 03");
  EXPECT_EQ(lines[3], "-- card Wiegand, 26 bits: 0 011110110000000100101100 1");
}

TEST(PtyServer, TheDeviceOutlivesAClientSession) {
  DeviceOptions device;
  device.timing = DeviceTiming::Instant();
  PtyServer server(PtyServerOptions{device, {}});
  ASSERT_TRUE(server.Start());
  {
    Client first(server.SlavePath());
    ASSERT_TRUE(first.Send(WriteCardCommand({}, {5, 0, 0, 0, 6})));
    EXPECT_EQ(first.Receive(6).size(), 6u);
  }
  Client second(server.SlavePath());
  ASSERT_TRUE(second.Send(ReadCardCommand({})));
  EXPECT_EQ(second.Receive(11), CardDataReply(0x00, {5, 0, 0, 0, 6}));
  EXPECT_TRUE(server.Running());
}

TEST(PtyServer, UnplugDropsTheLineMidOperation) {
  DeviceOptions device;
  device.timing = DeviceTiming::Instant();
  device.faults = {Fault::Unplug};
  PtyServer server(PtyServerOptions{device, {}});
  ASSERT_TRUE(server.Start());
  Client client(server.SlavePath());
  ASSERT_TRUE(client.Send(LinkCommand()));
  EXPECT_EQ(client.Receive(6).size(), 6u);
  ASSERT_TRUE(client.Send(WriteCardCommand({}, {1, 0, 0, 0, 1})));
  EXPECT_TRUE(client.Receive(6).empty());
  EXPECT_TRUE(client.failed);
  EXPECT_TRUE(server.Unplugged());
  EXPECT_FALSE(server.Running());
}

}  // namespace
}  // namespace vx::sim
