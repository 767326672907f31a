// Start-up as the operator meets it: the window built, HID.cfg loaded and the
// window's first paint, timed from main() and, when scripts/bench passes the
// moment it launched this process (VX_BENCH_LAUNCHED_NS, nanoseconds since the
// epoch), from the launch, which adds loading the program and its libraries.
// Then the resident memory after start-up and after a full card-number file
// (10001 pairs) has been loaded with "Browse" through the window.

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "app/qt_serial_link.h"
#include "app/tesselmain.h"
#include "app_bench_support.h"
#include "cardlist/card_list.h"

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

// Notes the moment the window first paints and ends the waiting loop.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(QEventLoop& loop) : loop_(loop) {}
  std::optional<Clock::time_point> at;
  std::optional<std::chrono::system_clock::time_point> wallAt;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!at && event->type() == QEvent::Paint) {
      at = Clock::now();
      wallAt = std::chrono::system_clock::now();
      loop_.quit();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QEventLoop& loop_;
};

}  // namespace

int main(int argc, char* argv[]) {
  const Clock::time_point mainEntered = Clock::now();
  vx::bench::PreferOffscreen();

  QApplication app(argc, argv);
  QTemporaryDir dir;
  const std::string formatFile = vx::bench::ShippedFormatFile();

  // What main() of the program does: the real serial port, the window, Form_Load, show.
  Tesselmain window(std::make_unique<QtSerialLink>());
  window.messageShower = [](const std::string& text) { std::fprintf(stderr, "message: %s\n", text.c_str()); };
  if (window.Startup(formatFile)) return 1;
  QEventLoop loop;
  FirstPaint firstPaint(loop);
  window.installEventFilter(&firstPaint);
  window.show();
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  if (!firstPaint.at) loop.exec();
  window.removeEventFilter(&firstPaint);
  if (!firstPaint.at) {
    std::printf("start-up: the window never painted within 10 s\n");
    return 1;
  }

  std::printf("start-up to first paint, from main(): %.1f ms\n", Millis(*firstPaint.at - mainEntered).count());
  if (const char* launched = std::getenv("VX_BENCH_LAUNCHED_NS")) {
    const auto launchedAt = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::nanoseconds(std::atoll(launched))));
    std::printf("start-up to first paint, from launch: %.1f ms\n", Millis(*firstPaint.wallAt - launchedAt).count());
  }
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  std::printf("resident memory after start-up: %s\n", vx::bench::ResidentMemory().c_str());

  // "Use Database", then "Browse" to a full card-number file.
  const std::string cards = dir.filePath("cards.csv").toStdString();
  {
    std::ofstream out(cards, std::ios::binary);
    for (int i = 0; i < vx::kCardListCapacity; ++i) out << (i % 256) << ',' << (1 + i) << "\r\n";
  }
  window.cardFileChooser = [&cards] { return std::optional<std::string>(cards); };
  window.findChild<QCheckBox*>("Check1")->click();
  const Clock::time_point browseStart = Clock::now();
  window.findChild<QPushButton*>("Command2")->click();
  const double browseMs = Millis(Clock::now() - browseStart).count();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  std::printf("Browse of %d pairs through the window: %.1f ms, %d entries loaded\n", vx::kCardListCapacity, browseMs,
              window.State().cards.CardCount);
  std::printf("resident memory after the Browse: %s\n", vx::bench::ResidentMemory().c_str());
  return 0;
}
