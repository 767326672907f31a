#pragma once
// What the window benchmarks share: a format file to start from, a port where
// no device answers, the process's CPU time and resident memory, and simple
// statistics of a series of timings.

#include <QtGlobal>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "device/serial_link.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

namespace vx::bench {

// Benchmarks run on the display when there is one, offscreen otherwise. Call
// before the QApplication is made.
inline void PreferOffscreen() {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The sample HID.cfg the project ships: the eight formats of the tabs.
inline std::string ShippedFormatFile() { return VX_SOURCE_DIR "/config/HID.cfg"; }

// A port that opens and never receives a byte: every wait runs to its time-out.
class SilentLink : public SerialLink {
 public:
  void Open(const std::string&) override { open_ = true; }
  bool IsOpen() const override { return open_; }
  void Close() override { open_ = false; }
  void DiscardInput() override {}
  std::size_t BytesWaiting() override { return 0; }
  void Write(const Bytes&) override {}
  Bytes ReadAll() override { return {}; }

 private:
  bool open_ = false;
};

// CPU seconds (user + system) this process has used.
inline double CpuSeconds() {
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

// Resident memory as the kernel counts it ("VmRSS: 51234 kB"), or "n/a" where
// there is no /proc.
inline std::string ResidentMemory() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) != 0) continue;
    const auto digits = line.find_first_of("0123456789");
    if (digits == std::string::npos) break;
    const double kib = std::stod(line.substr(digits));
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", kib / 1024.0);
    return text;
  }
  return "n/a";
}

struct Summary {
  double median = 0, mean = 0, min = 0, max = 0;
};

inline Summary Summarise(std::vector<double> values) {
  Summary s;
  if (values.empty()) return s;
  std::sort(values.begin(), values.end());
  s.median = values[values.size() / 2];
  s.mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
  s.min = values.front();
  s.max = values.back();
  return s;
}

}  // namespace vx::bench
