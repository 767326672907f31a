// How long "Browse" spends reading a full card-number file (10001 pairs).
// Prints a figure; it never fails on a slow machine.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "cardlist/card_file.h"

int main() {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("vx_bench_cards_" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  const fs::path file = dir / "cards.csv";
  {
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < vx::kCardListCapacity; ++i) out << (i % 256) << ',' << (3000000000LL + i) << "\r\n";
  }

  constexpr int kRuns = 15;
  std::vector<double> millis;
  std::size_t loaded = 0;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const vx::CardFileResult result = vx::ReadCardFile(file.string());
    const auto stop = std::chrono::steady_clock::now();
    if (result.error) {
      std::fprintf(stderr, "load failed: %s\n", result.error->Message().c_str());
      fs::remove_all(dir);
      return 1;
    }
    loaded = result.entries.size();
    millis.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
  }
  fs::remove_all(dir);

  std::sort(millis.begin(), millis.end());
  std::printf("card-number file load: %zu pairs, median %.3f ms, min %.3f ms, max %.3f ms (%d runs)\n", loaded,
              millis[millis.size() / 2], millis.front(), millis.back(), kRuns);
  return 0;
}
