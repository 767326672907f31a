// How long the waits counted in ticks of 10 ms really last in the window: the
// 50-tick reply time-out (nominal 500 ms) and the 20-tick pause between a write
// and its read-back (nominal 200 ms). The ticks are counted from the moment
// the wait starts, so a wait on time lasts its nominal length or a little more.

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/tesselmain.h"
#include "app_bench_support.h"
#include "operations/device_link.h"

namespace {

template <typename Wait>
void Measure(const char* name, double nominalMs, int runs, Wait wait) {
  std::vector<double> millis;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    wait();
    millis.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  const vx::bench::Summary s = vx::bench::Summarise(millis);
  std::printf("%s: nominal %.0f ms; median %.1f ms, mean %.1f ms, min %.1f ms, max %.1f ms (%d runs)\n", name,
              nominalMs, s.median, s.mean, s.min, s.max, runs);
}

}  // namespace

int main(int argc, char* argv[]) {
  vx::bench::PreferOffscreen();
  QApplication app(argc, argv);
  const std::string formatFile = vx::bench::ShippedFormatFile();

  Tesselmain window(std::make_unique<vx::bench::SilentLink>());
  if (window.Startup(formatFile)) return 1;
  window.show();
  QCoreApplication::processEvents();

  // The window's own state and wait loop; a port where nothing answers.
  vx::Device dev{window.State(), window, window.Link()};
  dev.link.Open("silent");
  constexpr int kRuns = 20;
  Measure("50-tick reply time-out", 10.0 * vx::kReplyTicks, kRuns,
          [&] { vx::AwaitReply(dev, vx::LinkCommand(), vx::ReplyKind::LinkAck); });
  Measure("20-tick settle        ", 10.0 * vx::kSettleTicks, kRuns, [&] { vx::Settle(dev); });
  dev.link.Close();
  return 0;
}
