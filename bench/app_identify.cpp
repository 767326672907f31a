// Identify Card through the real window and serial road against the simulated
// reader/writer at its real line rate and card times: nine reads over one
// opening of the port, set against the least they can take,
//   9 x (28 bytes x 11 bits at 9600 baud + the device's read time),
// with a 26-bit card on the reader (one format reads it, eight are refused),
// with no card (every read refused at once) and with a reader/writer that
// stays silent when no card answers (nine time-outs).
//
//   bench_app_identify [runs]      runs with a card: default 20

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/simulated_device.h"
#include "app/tesselmain.h"
#include "app_bench_support.h"
#include "operations/tabs.h"
#include "window/window_core.h"
#include "sim/device_model.h"

namespace {

using Millis = std::chrono::duration<double, std::milli>;

double Ms(vx::sim::Micros micros) { return static_cast<double>(micros.count()) / 1000.0; }

// A window on its own simulated device; the card in its field as given.
std::unique_ptr<Tesselmain> WindowOn(const vx::sim::DeviceOptions& device) {
  vx::LinkChoice link = vx::MakeSimulatedLink(device);
  if (!link.link) {
    std::fprintf(stderr, "no simulated device: %s\n", link.error.c_str());
    return nullptr;
  }
  auto window = std::make_unique<Tesselmain>(std::move(link.link));
  window->messageShower = [](const std::string& text) { std::fprintf(stderr, "message: %s\n", text.c_str()); };
  if (window->Startup(vx::bench::ShippedFormatFile())) return nullptr;
  window->show();
  QCoreApplication::processEvents();
  return window;
}

// `runs` clicks of "Identify Card"; each counts when the banner then begins with `expected`.
std::vector<double> Identify(Tesselmain& window, int runs, const QString& expected) {
  auto* identify = window.findChild<QPushButton*>(QString("Command%1").arg(vx::kIdentifyButton));
  auto* banner = window.findChild<QLabel*>("ResultBanner");
  std::vector<double> millis;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    identify->click();
    const double ms = Millis(std::chrono::steady_clock::now() - start).count();
    if (banner->text().startsWith(expected))
      millis.push_back(ms);
    else
      std::fprintf(stderr, "unexpected banner: %s\n", banner->text().toStdString().c_str());
  }
  return millis;
}

void Report(const char* name, const std::vector<double>& millis, int runs, double floorMs) {
  const vx::bench::Summary s = vx::bench::Summarise(millis);
  std::printf("%s, %zu of %d runs: median %.1f ms, mean %.1f ms, min %.1f ms, max %.1f ms; floor %.1f ms, "
              "above it: median %+.1f ms\n",
              name, millis.size(), runs, s.median, s.mean, s.min, s.max, floorMs, s.median - floorMs);
}

}  // namespace

int main(int argc, char* argv[]) {
  vx::bench::PreferOffscreen();
  QApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

  vx::sim::DeviceOptions device;  // no faults, real line rate and card times
  const vx::sim::DeviceTiming& t = device.timing;
  const double readFloor = 28 * Ms(t.byteTime) + Ms(t.readTime);
  std::printf("simulated reader/writer: byte %.3f ms (9600 baud, 11 bits), read %.0f ms; one read's floor %.2f ms\n",
              Ms(t.byteTime), Ms(t.readTime), readFloor);

  // A 26-bit card on the reader, written through the window itself.
  const std::unique_ptr<Tesselmain> withCard = WindowOn(device);
  if (!withCard) return 1;
  const vx::TabSpec& wg26 = *vx::TabOfFormat("HID26");
  withCard->findChild<QPushButton*>(QString("Command%1").arg(wg26.writeButton))->click();
  Identify(*withCard, 1, "\u25CF HID  WG26");  // warms the line up; not counted
  Report("Identify, a 26-bit card on the reader (9 reads, 8 refused)",
         Identify(*withCard, runs, "\u25CF HID  WG26"), runs, 9 * readFloor);

  device.initialCard.reset();  // an empty field: every read answered with status 01
  const std::unique_ptr<Tesselmain> noCard = WindowOn(device);
  if (!noCard) return 1;
  Report("Identify, no card, a reader/writer that answers every read", Identify(*noCard, runs, "\u2718 No format"),
         runs, 9 * readFloor);

  device.faults.Add(vx::sim::Fault::Silent);
  const std::unique_ptr<Tesselmain> silent = WindowOn(device);
  if (!silent) return 1;
  const int silentRuns = 3;
  Report("Identify, no card, a reader/writer that stays silent (9 time-outs of 50 ticks)",
         Identify(*silent, silentRuns, "\u2718 No format"), silentRuns, 9 * 10.0 * vx::kReplyTicks);
  return 0;
}
