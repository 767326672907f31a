// What the look-up before each write costs: building the index of a
// 100 000-line record, as ticking "Keep Record" does, and looking a card up
// in it, as every Write Card does with "Keep Record" on (including reading
// the few bytes another station appended). Prints figures; it never fails on
// a slow machine.

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "record/record_index.h"
#include "record/record_line.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  using Clock = std::chrono::steady_clock;
  const fs::path dir = fs::temp_directory_path() / ("vx_bench_index_" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  const std::string record = (dir / "cards.csv").string();

  // A year of batches: 100 000 lines, nine in ten written, across the nine
  // formats, from typed cards and from card-number files.
  constexpr int kLines = 100000;
  const char* formats[] = {"HID26", "HID32", "HID34", "HID35", "HID36", "HID37", "HID40", "HID24", "EM4100"};
  {
    std::ofstream out(record, std::ios::binary);
    out << vx::kRecordHeader << "\r\n";
    for (int i = 0; i < kLines; ++i) {
      const std::string fc = std::to_string(i % 200);
      const std::string cn = std::to_string(1000 + i);
      const bool fromFile = i % 3 != 0;
      out << vx::FormatRecordLine({"2026-12-08T10:00:00.000+01:00", "/dev/ttyUSB0", "HID  WG26", formats[i % 9], 8, 16,
                                   0, 0, fc, cn,
                                   fromFile ? "/home/installer/Documents/site 14/box " + std::to_string(i / 10001) +
                                                  ".txt"
                                            : "typed",
                                   fromFile ? i % 10001 + 1 : 0, i % 10 == 9 ? "verify failed" : "written", fc, cn});
    }
  }
  const auto bytes = fs::file_size(record);

  // Wall time, and the processor time of the build, which a machine shared
  // with other work stretches less.
  constexpr int kBuilds = 15;
  std::vector<double> buildMillis;
  std::vector<double> buildCpuMillis;
  vx::RecordIndex index;
  for (int run = 0; run < kBuilds; ++run) {
    index.Open(record);
    const auto start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    const auto problem = index.Refresh();
    buildCpuMillis.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    buildMillis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (problem) {
      std::printf("the record could not be read: %s\n", problem->c_str());
      return 1;
    }
  }

  // Look-ups alone, of cards written and not written.
  constexpr int kLookUps = 1000000;
  std::mt19937 random(17);
  int found = 0;
  const auto lookStart = Clock::now();
  for (int i = 0; i < kLookUps; ++i) {
    const int line = static_cast<int>(random() % (2 * kLines));
    if (index.FindWritten(formats[line % 9], static_cast<std::uint64_t>(line % 200), 1000u + line)) ++found;
  }
  const double lookMicros =
      std::chrono::duration<double, std::micro>(Clock::now() - lookStart).count() / kLookUps;

  // What a Write Card does: bring the index up to date (nothing new, or one
  // line another station appended), then look up.
  constexpr int kWrites = 200;
  std::vector<double> refreshMicros;
  std::vector<double> grownMicros;
  for (int i = 0; i < kWrites; ++i) {
    auto start = Clock::now();
    (void)index.Refresh();
    (void)index.FindWritten("HID26", 12, 5000);
    refreshMicros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    {
      std::ofstream out(record, std::ios::binary | std::ios::app);
      out << vx::FormatRecordLine({"2026-12-08T11:00:00.000+01:00", "COM4", "HID  WG26", "HID26", 8, 16, 0, 0, "12",
                                   std::to_string(900000 + i), "typed", 0, "written", "12",
                                   std::to_string(900000 + i)});
    }
    start = Clock::now();
    (void)index.Refresh();
    (void)index.FindWritten("HID26", 12, 900000u + i);
    grownMicros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  fs::remove_all(dir);

  std::sort(buildMillis.begin(), buildMillis.end());
  std::printf("index of a %d-line record (%.1f MB, %zu cards written): build median %.2f ms, min %.2f ms, "
              "max %.2f ms; processor time median %.2f ms (%d builds; goal: under 50 ms)\n",
              kLines, static_cast<double>(bytes) / 1e6, index.WrittenCount(), Median(buildMillis),
              buildMillis.front(), buildMillis.back(), Median(buildCpuMillis), kBuilds);
  std::printf("look-up in the index: %.3f us each, mean of %d (%d found; goal: under 10 us)\n", lookMicros,
              kLookUps, found);
  std::printf("before a write, index brought up to date and card looked up: nothing new median %.1f us, "
              "one line appended by another station median %.1f us (%d writes)\n",
              Median(refreshMicros), Median(grownMicros), kWrites);
  return 0;
}
