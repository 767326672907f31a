// What a device wait costs the machine: "Link" against a port where no device
// answers runs its full 50-tick time-out through the real window's event loop.
// The wait sleeps until its deadline or the next received bytes; the same wait done as
// a spinning loop (processing events without waiting for more) keeps a core
// busy. Both run here, one after the other, and the ratio of their CPU times
// is the figure.

#include <QApplication>
#include <QPushButton>

#include <chrono>
#include <cstdio>
#include <memory>

#include "app/tesselmain.h"
#include "app_bench_support.h"

namespace {

// The window with its wait loop turned into a spin.
class SpinningWindow : public Tesselmain {
 public:
  using Tesselmain::Tesselmain;
  void WaitForEvents(std::chrono::milliseconds) override { QCoreApplication::processEvents(); }
};

struct Cost {
  double wall = 0;
  double cpu = 0;
};

template <typename Window>
Cost LinkTimeOuts(const char* name, const std::string& formatFile, int runs) {
  Window window(std::make_unique<vx::bench::SilentLink>());
  window.messageShower = [](const std::string& text) { std::fprintf(stderr, "message: %s\n", text.c_str()); };
  if (window.Startup(formatFile)) return {};
  window.show();
  QCoreApplication::processEvents();
  auto* link = window.template findChild<QPushButton*>("Command12");

  Cost total;
  for (int run = 1; run <= runs; ++run) {
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = vx::bench::CpuSeconds();
    link->click();
    const double cpu = vx::bench::CpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    total.wall += wall;
    total.cpu += cpu;
    std::printf("  %-9s run %d: wall %.3f s, CPU %.3f s (%.1f%% of a core)\n", name, run, wall, cpu,
                wall > 0 ? 100.0 * cpu / wall : 0.0);
  }
  total.wall /= runs;
  total.cpu /= runs;
  return total;
}

}  // namespace

int main(int argc, char* argv[]) {
  vx::bench::PreferOffscreen();
  QApplication app(argc, argv);
  const std::string formatFile = vx::bench::ShippedFormatFile();

  constexpr int kRuns = 5;
  std::printf("Link with no device answering: one 50-tick time-out per run\n");
  const Cost waiting = LinkTimeOuts<Tesselmain>("waiting", formatFile, kRuns);
  const Cost spinning = LinkTimeOuts<SpinningWindow>("spinning", formatFile, kRuns);
  std::printf("wait CPU, sleeping wait : %.2f s time-out costs %.4f s CPU (%.2f%% of a core)\n", waiting.wall,
              waiting.cpu, waiting.wall > 0 ? 100.0 * waiting.cpu / waiting.wall : 0.0);
  std::printf("wait CPU, spinning loop : %.2f s time-out costs %.4f s CPU (%.2f%% of a core)\n", spinning.wall,
              spinning.cpu, spinning.wall > 0 ? 100.0 * spinning.cpu / spinning.wall : 0.0);
  if (waiting.cpu > 0) {
    std::printf("wait CPU ratio          : the sleeping wait uses 1/%.0f of the spinning loop's CPU\n",
                spinning.cpu / waiting.cpu);
  } else {
    std::printf("wait CPU ratio          : the sleeping wait used no measurable CPU\n");
  }
  return 0;
}
