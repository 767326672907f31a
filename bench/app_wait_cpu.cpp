// What a device wait costs the machine: "Link" against a port where no device
// answers runs its full 50-tick time-out through the real window's event loop.
// The wait sleeps between timer ticks, so its CPU time should be a small part
// of its wall time.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <memory>

#include "app/tesselmain.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

namespace {

// A port that opens and never receives a byte.
class SilentLink : public vx::SerialLink {
 public:
  void Open(const std::string&) override { open_ = true; }
  bool IsOpen() const override { return open_; }
  void Close() override { open_ = false; }
  void DiscardInput() override {}
  std::size_t BytesWaiting() override { return 0; }
  void Write(const vx::Bytes&) override {}
  vx::Bytes ReadAll() override { return {}; }

 private:
  bool open_ = false;
};

// CPU seconds (user + system) this process has used.
double CpuSeconds() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
  };
  return seconds(kernel) + seconds(user);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  QTemporaryDir dir;
  const QString config = dir.filePath("HID.cfg");
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return 1;
  file.write("HID26 WW=08 XX=16 YY=00 ZZ=00\n");
  file.close();

  Tesselmain window(std::make_unique<SilentLink>());
  window.messageShower = [](const std::string& text) { std::fprintf(stderr, "message: %s\n", text.c_str()); };
  if (window.Startup(config.toStdString())) return 1;
  window.show();
  auto* link = window.findChild<QPushButton*>("Command12");

  constexpr int kRuns = 5;
  double totalWall = 0;
  double totalCpu = 0;
  std::printf("Link with no device answering: one 50-tick time-out per run\n");
  for (int run = 1; run <= kRuns; ++run) {
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    link->click();
    const double cpu = CpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    totalWall += wall;
    totalCpu += cpu;
    std::printf("run %d: wall %.3f s, CPU %.3f s (%.1f%%)\n", run, wall, cpu, wall > 0 ? 100.0 * cpu / wall : 0.0);
  }
  std::printf("mean: a %.2f s time-out costs %.3f s CPU\n", totalWall / kRuns, totalCpu / kRuns);
  return 0;
}
