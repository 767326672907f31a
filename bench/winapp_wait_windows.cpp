// What a device wait costs the machine in the Windows window: "Link" against
// a device that never answers runs its full 50-tick time-out (0.5 s) through
// the real window and its message loop. Three ways of waiting are measured:
//   - on a COM port: asleep on the port's event and the message queue together
//     (the program's way), and for comparison looking at the port each tick;
//   - with the simulated device in this process (no event to sleep on):
//     asleep on the message queue, looking again every 10 ms tick;
//   - the same wait as a spinning loop (messages processed without waiting).
// The CPU time of the process over each wait, as a share of one core, is the figure.
//
//   bench_winapp_wait_windows [--port COMn] [--only event|tick|spinning|simulated|simulated-spinning]
//                             [--server-stat FILE] [runs]
// Under Wine much of a wait's cost is the Wine server's, another process:
// --server-stat names its /proc/<pid>/stat as a Windows path (Z:\proc\...),
// and its CPU over the waits is printed too.
// Under Wine, --port needs a COM port mapped to a serial device or a
// pseudo-terminal where nothing answers (HKLM\Software\Wine\Ports).

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "device/system_serial_link_windows.h"
#include "sim/replug_sim_link.h"
#include "winapp/control_ids_windows.h"
#include "winapp/main_window_windows.h"

namespace {

// The Wine server's CPU seconds so far, from its /proc stat line; 0 without one.
std::string serverStat;
double ServerCpuSeconds() {
  if (serverStat.empty()) return 0;
  std::FILE* file = std::fopen(serverStat.c_str(), "r");
  if (!file) return 0;
  char line[1024] = {};
  const bool read = std::fgets(line, sizeof line, file) != nullptr;
  std::fclose(file);
  if (!read) return 0;
  // After the command's closing parenthesis: state, then fields 4 to 13, then utime and stime.
  const char* rest = std::strrchr(line, ')');
  if (!rest) return 0;
  unsigned long long utime = 0, stime = 0;
  if (std::sscanf(rest + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) != 2) return 0;
  constexpr double kLinuxTicksPerSecond = 100;  // USER_HZ
  return static_cast<double>(utime + stime) / kLinuxTicksPerSecond;
}

double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
  };
  return seconds(kernel) + seconds(user);
}

// The window with its wait turned into a spin.
class SpinningWindow : public vx::win::MainWindow {
 public:
  using MainWindow::MainWindow;
  void WaitForEvents(std::chrono::milliseconds) override { ProcessEventsOnce(); }
};

template <typename Window>
void LinkTimeOuts(const char* name, vx::SerialLink& link, const std::string& port, int runs) {
  Window window(GetModuleHandleW(nullptr), link);
  if (!window.Create() || window.Startup(std::string(VX_SOURCE_DIR) + "/config/HID.cfg")) {
    std::fprintf(stderr, "%s: the window did not start\n", name);
    return;
  }
  window.SetPortText(port);
  HWND button = GetDlgItem(window.Handle(), vx::win::CommandId(vx::kLinkButton));
  double wallSum = 0, cpuSum = 0;
  const double serverStart = ServerCpuSeconds();
  for (int run = 1; run <= runs; ++run) {
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    SendMessageW(button, BM_CLICK, 0, 0);
    const double cpu = CpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    wallSum += wall;
    cpuSum += cpu;
    std::printf("  %-22s run %d: wall %.3f s, CPU %.1f ms (%.2f%% of a core)\n", name, run, wall, cpu * 1000,
                wall > 0 ? 100.0 * cpu / wall : 0.0);
  }
  const double server = ServerCpuSeconds() - serverStart;
  std::printf("%-24s mean: wall %.3f s, CPU %.1f ms per wait (%.2f%% of a core)\n", name, wallSum / runs,
              cpuSum * 1000 / runs, wallSum > 0 ? 100.0 * cpuSum / wallSum : 0.0);
  if (!serverStat.empty()) {
    const double both = cpuSum + server;
    std::printf("%-24s with the Wine server: %.1f ms per wait (%.2f%% of a core)\n", "", both * 1000 / runs,
                wallSum > 0 ? 100.0 * both / wallSum : 0.0);
  }
  std::printf("\n");
}

// A window that has gone leaves the program's quit in the queue; the next
// one must not take it for its own.
void ForgetQuit() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  std::string port;
  std::string only;  // under Wine, to measure the Wine server's share of one kind of wait from outside
  int runs = 10;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--port" && i + 1 < argc)
      port = argv[++i];
    else if (arg == "--only" && i + 1 < argc)
      only = argv[++i];
    else if (arg == "--server-stat" && i + 1 < argc)
      serverStat = argv[++i];
    else
      runs = std::max(1, std::atoi(argv[i]));
  }

  if (!port.empty()) {
    vx::WindowsSerialLink probe;
    probe.Open(port);
    if (!probe.IsOpen()) {
      std::fprintf(stderr, "%s does not open: the port's waits are left out\n", port.c_str());
      port.clear();
    }
  }
  const auto wanted = [&only](const char* key) { return only.empty() || only == key; };
  if (!port.empty()) {
    vx::WindowsSerialLink watched(true);
    vx::WindowsSerialLink looked(false);
    if (wanted("event")) LinkTimeOuts<vx::win::MainWindow>("port, event", watched, port, runs);
    ForgetQuit();
    if (wanted("tick")) LinkTimeOuts<vx::win::MainWindow>("port, look each tick", looked, port, runs);
    ForgetQuit();
    if (wanted("spinning")) LinkTimeOuts<SpinningWindow>("port, spinning", looked, port, runs);
    ForgetQuit();
  }
  vx::sim::SimLinkOptions silent;
  silent.device.faults.Add(vx::sim::Fault::Silent);
  vx::sim::ReplugSimLink simulated(silent);
  if (wanted("simulated")) LinkTimeOuts<vx::win::MainWindow>("simulated, ticks", simulated, "1", runs);
  ForgetQuit();
  if (wanted("simulated-spinning")) LinkTimeOuts<SpinningWindow>("simulated, spinning", simulated, "1", runs);
  return 0;
}
