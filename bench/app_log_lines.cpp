// What logging a card's two lines in List1 costs (the numbers and the outcome,
// each selected as it comes, then the window's events processed as the next
// wait would) as the list grows through a long batch that the operator never
// clears. A full card-number file is 10001 cards, 20002 lines.
//
// The list is filled up to each size at once, then 20 cards are timed there.
// The first series uses the list's default, which measures every line again
// on each append; the second, as the window builds List1, declares its lines
// all of one height.

#include <QApplication>
#include <QListWidget>
#include <QStringList>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/tesselmain.h"
#include "app_bench_support.h"

namespace {

void Series(const std::string& formatFile, bool uniformLines) {
  Tesselmain window(std::make_unique<vx::bench::SilentLink>());
  if (window.Startup(formatFile)) return;
  window.show();
  QCoreApplication::processEvents();
  auto* list = window.findChild<QListWidget*>("List1");
  list->setUniformItemSizes(uniformLines);

  std::printf("%s:\n", uniformLines ? "List1 as the window builds it (lines of one height)"
                                    : "A list with the default of lines measured one by one");
  constexpr int kCards = 20;
  for (const int lines : {0, 1000, 2000, 5000, 10000, 20000}) {
    QStringList fill;
    for (int i = list->count(); i < lines; ++i) fill << QString("%1,%2").arg(i % 256).arg(i);
    list->addItems(fill);
    QCoreApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    for (int card = 0; card < kCards; ++card) {
      window.LogLine("18," + std::to_string(card));
      window.LogLine("Write AND Read Block Success");
      QCoreApplication::processEvents();
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("  list at %5d lines: %.3f ms a card\n", lines, ms / kCards);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  vx::bench::PreferOffscreen();
  QApplication app(argc, argv);
  const std::string formatFile = vx::bench::ShippedFormatFile();
  Series(formatFile, false);
  Series(formatFile, true);
  return 0;
}
