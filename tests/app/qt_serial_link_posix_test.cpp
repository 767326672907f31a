// The Qt serial adapter against a pseudo-terminal standing in for the device.

#include "app/qt_serial_link.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTemporaryDir>

#include "app/tesselmain.h"
#include "support/fake_link.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

namespace {

class PtyDevice {
 public:
  PtyDevice() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) name_ = ptsname(master_);
  }
  ~PtyDevice() { Unplug(); }
  const std::string& name() const { return name_; }
  int fd() const { return master_; }
  void Send(const vx::Bytes& bytes) { ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }
  vx::Bytes Receive(std::size_t count) {
    vx::Bytes got;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < count && clock.elapsed() < 2000) {
      QCoreApplication::processEvents();
      std::uint8_t buffer[64];
      const int flags = fcntl(master_, F_GETFL);
      fcntl(master_, F_SETFL, flags | O_NONBLOCK);
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) got.insert(got.end(), buffer, buffer + n);
    }
    return got;
  }
  void Unplug() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string name_;
};

// Lets the event loop run until `done` or two seconds have passed.
template <typename F>
bool Await(F done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

TEST(QtSerialLinkTest, ExchangesRawBytesWithTheDevice) {
  PtyDevice device;
  ASSERT_FALSE(device.name().empty());
  QtSerialLink link;
  link.Open(device.name());
  ASSERT_TRUE(link.IsOpen());

  const vx::Bytes frame{0x02, 0x01, 0x00, 0x00, 0x03, 0x03};
  link.Write(frame);
  EXPECT_EQ(device.Receive(frame.size()), frame);

  // Every byte value passes untouched, including line-control characters.
  const vx::Bytes reply{0x02, 0x0A, 0x00, 0x0D, 0x11, 0x13, 0xFF, 0x03};
  device.Send(reply);
  ASSERT_TRUE(Await([&] { return link.BytesWaiting() >= reply.size(); }));
  EXPECT_EQ(link.ReadAll(), reply);
  EXPECT_EQ(link.BytesWaiting(), 0u);

  device.Send({0x01, 0x02});
  ASSERT_TRUE(Await([&] { return link.BytesWaiting() >= 2; }));
  link.DiscardInput();
  EXPECT_EQ(link.BytesWaiting(), 0u);

  link.Close();
  EXPECT_FALSE(link.IsOpen());
}

TEST(QtSerialLinkTest, AbsentPortStaysClosed) {
  QtSerialLink link;
  link.Open("/dev/no-such-port");
  EXPECT_FALSE(link.IsOpen());
  link.Write({0x02});
  EXPECT_EQ(link.BytesWaiting(), 0u);
  EXPECT_TRUE(link.ReadAll().empty());
}

TEST(QtSerialLinkTest, UnpluggedDeviceClosesThePort) {
  PtyDevice device;
  QtSerialLink link;
  link.Open(device.name());
  ASSERT_TRUE(link.IsOpen());
  device.Unplug();
  EXPECT_TRUE(Await([&] { return !link.IsOpen(); }));
}

// The whole road: the window's wait wakes on bytes from a real port.
TEST(QtSerialLinkTest, LinkThroughTheWindowAndARealPort) {
  PtyDevice device;
  QTemporaryDir dir;
  QFile config(dir.filePath("HID.cfg"));
  ASSERT_TRUE(config.open(QIODevice::WriteOnly));
  config.close();

  // The device acknowledges every frame once its six bytes are in.
  QSocketNotifier notifier(device.fd(), QSocketNotifier::Read);
  std::size_t received = 0;
  QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
    std::uint8_t buffer[64];
    const ssize_t n = read(device.fd(), buffer, sizeof buffer);
    if (n <= 0) return;
    received += static_cast<std::size_t>(n);
    if (received >= 6) device.Send(vx::test::AckReplyBytes());
  });

  Tesselmain window(std::make_unique<QtSerialLink>());
  window.messageShower = [](const std::string& text) { ADD_FAILURE() << text; };
  ASSERT_FALSE(window.Startup(config.fileName().toStdString()));
  window.SetPortText(device.name());
  window.findChild<QPushButton*>("Command12")->click();
  auto* list = window.findChild<QListWidget*>("List1");
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "System Link Success");
  EXPECT_FALSE(window.Link().IsOpen());
}

}  // namespace
