// The system's serial port on a pseudo-terminal: the line it sets, the wait
// that bytes wake, the exclusive hold it lifts on closing, and a device that
// goes away.

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "device/system_serial_link.h"

namespace {

using namespace std::chrono_literals;

// A pseudo-terminal whose slave side stands for the serial port. A second
// handle on the slave, opened first, reads the line settings as the device
// side sees them.
class Line {
 public:
  Line() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master_);
    unlockpt(master_);
    path_ = ptsname(master_);
    watcher_ = open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  }
  ~Line() {
    if (watcher_ >= 0) close(watcher_);
    CloseMaster();
  }
  void CloseMaster() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }
  const std::string& path() const { return path_; }
  int master() const { return master_; }
  int watcher() const { return watcher_; }

 private:
  int master_ = -1;
  int watcher_ = -1;
  std::string path_;
};

TEST(SystemSerialLinkPosix, SetsTheLineRaw9600TwoStopBitsNoFlowControl) {
  Line line;
  auto link = vx::MakeSystemSerialLink();
  link->Open(line.path());
  ASSERT_TRUE(link->IsOpen());
  termios tio{};
  ASSERT_EQ(tcgetattr(line.watcher(), &tio), 0);
  EXPECT_EQ(cfgetospeed(&tio), B9600);
  EXPECT_EQ(cfgetispeed(&tio), B9600);
  EXPECT_TRUE(tio.c_cflag & CSTOPB);
  EXPECT_FALSE(tio.c_cflag & CRTSCTS);
  EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF));
  EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG));
  EXPECT_FALSE(tio.c_oflag & OPOST);
}

TEST(SystemSerialLinkPosix, BytesWakeTheWaitAndAreReadWhole) {
  Line line;
  auto link = vx::MakeSystemSerialLink();
  link->Open(line.path());
  link->Write({0x02, 0x01, 0x00, 0x00, 0x03, 0x03});
  unsigned char sent[6] = {};
  ASSERT_EQ(read(line.master(), sent, sizeof sent), 6);
  EXPECT_EQ(sent[5], 0x03);

  const unsigned char reply[] = {0x02, 0x00, 0x00, 0x00, 0x00, 0x03};
  ASSERT_EQ(write(line.master(), reply, sizeof reply), 6);
  const auto start = std::chrono::steady_clock::now();
  while (link->BytesWaiting() < 6 && std::chrono::steady_clock::now() - start < 5s) link->WaitForInput(5s);
  EXPECT_EQ(link->ReadAll(), (vx::Bytes{0x02, 0x00, 0x00, 0x00, 0x00, 0x03}));
  EXPECT_EQ(link->BytesWaiting(), 0u);
}

TEST(SystemSerialLinkPosix, HoldsThePortAloneUntilClosed) {
  Line line;
  auto link = vx::MakeSystemSerialLink();
  link->Open(line.path());
  int exclusive = 0;
  ASSERT_EQ(ioctl(line.watcher(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 1);
  link->Close();
  ASSERT_EQ(ioctl(line.watcher(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0) << "a port left exclusive cannot be opened by the next operation";
}

TEST(SystemSerialLinkPosix, ADeviceThatGoesAwayClosesThePort) {
  Line line;
  auto link = vx::MakeSystemSerialLink();
  link->Open(line.path());
  line.CloseMaster();
  link->WaitForInput(1s);
  link->BytesWaiting();
  EXPECT_FALSE(link->IsOpen());
}

}  // namespace
