// What the resume offer costs: reading a 100 000-line record and finding how
// far a full card-number file (10001 entries) got, as Browse does with
// "Keep Record" on. Prints figures; it never fails on a slow machine.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "cardlist/card_list.h"
#include "platform/text_file.h"
#include "record/record_file.h"
#include "record/record_line.h"
#include "record/record_resume.h"

int main() {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("vx_bench_resume_" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  const std::string record = (dir / "cards.csv").string();
  const std::string cardFile = "/home/installer/Documents/site 14/box of 10001 cards.txt";

  std::vector<vx::CardEntry> entries;
  for (int i = 0; i < vx::kCardListCapacity; ++i) entries.push_back({12, 3000000.0 + i});

  // 100 000 lines: other files' batches and reads, then this file written up to
  // entry 9000 with a failed attempt every 50 cards.
  constexpr int kLines = 100000;
  constexpr int kWritten = 9000;
  {
    std::ofstream out(record, std::ios::binary);
    out << vx::kRecordHeader << "\r\n";
    int lines = 0;
    const auto emit = [&](const std::string& source, int entry, const std::string& cn, const char* outcome) {
      out << vx::FormatRecordLine({"2026-12-08T10:00:00.000+01:00", "/dev/ttyUSB0", "HID  WG26", "HID26", 8, 16, 0,
                                   0, "12", cn, source, entry, outcome, "12", cn});
      ++lines;
    };
    for (int i = 1; lines < kLines - kWritten - kWritten / 50; ++i)
      emit("/home/installer/Documents/older box.txt", i % 10001 + 1, std::to_string(i), "written");
    for (int i = 1; i <= kWritten; ++i) {
      const std::string cn = std::to_string(3000000 + i - 1);
      if (i % 50 == 0) emit(cardFile, i, cn, "verify failed");
      emit(cardFile, i, cn, "written");
    }
  }
  const auto bytes = fs::file_size(record);

  constexpr int kRuns = 15;
  std::vector<double> millis;
  vx::ResumePoint point;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const auto text = vx::ReadWholeFile(record);
    point = vx::FindResumePoint(text.value_or(""), cardFile, entries);
    millis.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  fs::remove_all(dir);

  std::sort(millis.begin(), millis.end());
  std::printf("resume of a %zu-entry file against a %d-line record (%.1f MB): continue after entry %d; "
              "median %.2f ms, min %.2f ms, max %.2f ms (%d runs; goal: under 50 ms)\n",
              entries.size(), kLines, static_cast<double>(bytes) / 1e6, point.written, millis[millis.size() / 2],
              millis.front(), millis.back(), kRuns);
  return point.written == kWritten ? 0 : 1;
}
