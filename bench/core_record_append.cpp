// What the card record costs per card: one line formatted, appended, flushed
// and synced to disk, as after every Write Card with "Keep Record" on.
// Prints figures; it never fails on a slow machine.
//
//   bench_core_record_append [lines] [folder]
// The record goes into a fresh folder under `folder` (default: the current
// folder, so the figure is the disk's and not a memory file system's).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "record/record_file.h"
#include "record/record_line.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const int lines = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  const fs::path base = argc > 2 ? fs::path(argv[2]) : fs::current_path();
  const fs::path dir = base / ("vx_bench_record_" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  const std::string path = (dir / "cards-2026-12-08.csv").string();
  const std::string cardFile = (dir / "box of 500 cards.txt").string();

  if (const auto error = vx::StartRecord(path)) {
    std::fprintf(stderr, "%s\n", error->Message().c_str());
    fs::remove_all(dir);
    return 1;
  }
  std::vector<double> millis;
  millis.reserve(static_cast<std::size_t>(lines));
  for (int i = 1; i <= lines; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const std::string cn = std::to_string(3000000 + i);
    const vx::RecordLine line{vx::RecordTimeNow(), "/dev/ttyUSB0", "HID  WG26", "HID26", 8, 16, 0, 0, "12", cn,
                              cardFile, i, "written", "12", cn};
    if (const auto error = vx::AppendRecordLine(path, line)) {
      std::fprintf(stderr, "%s\n", error->Message().c_str());
      fs::remove_all(dir);
      return 1;
    }
    millis.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  const auto bytes = fs::file_size(path);
  fs::remove_all(dir);

  std::sort(millis.begin(), millis.end());
  const auto at = [&millis](double q) { return millis[static_cast<std::size_t>(q * (millis.size() - 1))]; };
  std::printf("record line, append + flush + fsync: %d lines (%ju bytes), p50 %.3f ms, p99 %.3f ms, max %.3f ms, "
              "min %.3f ms (goal: p99 at most 5 ms)\n",
              lines, static_cast<std::uintmax_t>(bytes), at(0.50), at(0.99), millis.back(), millis.front());
  return 0;
}
