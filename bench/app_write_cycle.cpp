// One Write Card cycle (write, acknowledgement, 20-tick pause, read-back,
// verify) through the real window and serial road against the simulated
// reader/writer at its real line rate and card times, set against the least
// such a cycle can take:
//   51 bytes on the line (17 + 6 + 17 + 11) x 11 bits at 9600 baud
//   + the 200 ms pause + the device's write time + its read time.
// What is above that is the program's own cost per card.
//
//   bench_app_write_cycle [cycles] [--check-card-first]
//     cycles: default 20; e.g. 200 for a batch
//     --check-card-first: with "Check Card First" ticked, each cycle reads the
//     card on the reader first (one exchange more: 28 bytes and a read). The
//     card left from the cycle before stands for the next card, one this run
//     did not write.

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/simulated_device.h"
#include "app/tesselmain.h"
#include "app_bench_support.h"
#include "operations/tabs.h"
#include "operations/device_link.h"
#include "sim/device_model.h"

namespace {

using Millis = std::chrono::duration<double, std::milli>;

double Ms(vx::sim::Micros micros) { return static_cast<double>(micros.count()) / 1000.0; }

// Passes everything to the real link and notes when the handler opens the
// port, sends, takes a reply and closes, so the time of a click can be split
// into its phases.
class PhaseTimingLink : public vx::SerialLink {
 public:
  using Clock = std::chrono::steady_clock;
  explicit PhaseTimingLink(std::unique_ptr<vx::SerialLink> inner) : inner_(std::move(inner)) {}

  struct Phases {
    Clock::time_point openStart, openEnd, closeStart, closeEnd;
    std::vector<Clock::time_point> writes, reads;  // each frame sent; each reply taken
  };
  Phases phases;

  void Open(const std::string& name) override {
    phases = {};
    phases.openStart = Clock::now();
    inner_->Open(name);
    phases.openEnd = Clock::now();
  }
  bool IsOpen() const override { return inner_->IsOpen(); }
  void Close() override {
    phases.closeStart = Clock::now();
    inner_->Close();
    phases.closeEnd = Clock::now();
  }
  void DiscardInput() override { inner_->DiscardInput(); }
  std::size_t BytesWaiting() override { return inner_->BytesWaiting(); }
  void Write(const vx::Bytes& bytes) override {
    phases.writes.push_back(Clock::now());
    inner_->Write(bytes);
  }
  vx::Bytes ReadAll() override {
    vx::Bytes bytes = inner_->ReadAll();
    if (!bytes.empty()) phases.reads.push_back(Clock::now());
    return bytes;
  }

 private:
  std::unique_ptr<vx::SerialLink> inner_;
};

double Between(PhaseTimingLink::Clock::time_point from, PhaseTimingLink::Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Where the time of the clicks went, phase by phase (means over the clicks).
struct PhaseSums {
  int clicks = 0;
  double total = 0, open = 0, toFirstWrite = 0, close = 0, afterLastReply = 0;
  std::vector<double> replyWaits, betweenExchanges;
  void Add(const PhaseTimingLink::Phases& p, double clickMs) {
    if (p.writes.empty() || p.reads.size() != p.writes.size()) return;
    ++clicks;
    total += clickMs;
    open += Between(p.openStart, p.openEnd);
    toFirstWrite += Between(p.openEnd, p.writes.front());
    close += Between(p.closeStart, p.closeEnd);
    afterLastReply += Between(p.reads.back(), p.closeStart);
    replyWaits.resize(p.writes.size());
    betweenExchanges.resize(p.writes.size() - 1);
    for (std::size_t i = 0; i < p.writes.size(); ++i) replyWaits[i] += Between(p.writes[i], p.reads[i]);
    for (std::size_t i = 0; i + 1 < p.writes.size(); ++i) betweenExchanges[i] += Between(p.reads[i], p.writes[i + 1]);
  }
  void Print(const char* name, const std::vector<double>& replyFloors) const {
    if (clicks == 0) return;
    std::printf("  %s phases (mean ms): open %.2f, open to first frame %.2f", name, open / clicks,
                toFirstWrite / clicks);
    for (std::size_t i = 0; i < replyWaits.size(); ++i) {
      std::printf(", frame %zu to its reply %.2f (floor %.2f)", i + 1, replyWaits[i] / clicks,
                  i < replyFloors.size() ? replyFloors[i] : 0.0);
      if (i < betweenExchanges.size()) std::printf(", reply %zu to frame %zu %.2f", i + 1, i + 2, betweenExchanges[i] / clicks);
    }
    std::printf(", last reply to close %.2f, close %.2f\n", afterLastReply / clicks, close / clicks);
    // What is left once the line and the device (at their floors) and the
    // pause between the exchanges (as it ran) are taken out.
    double own = total;
    for (double floor : replyFloors) own -= floor * clicks;
    for (double pause : betweenExchanges) own -= pause;
    std::printf("  %s: the program's own time per click (all but the line, the device and the pause) %.2f ms\n", name,
                own / clicks);
  }
};

// Clicks a button and returns how long its handler took, and whether List1's
// last line is then `expected`.
struct Click {
  double ms = 0;
  bool ok = false;
};
Click ClickAndTime(QPushButton* button, QListWidget* list, const char* expected) {
  const auto start = std::chrono::steady_clock::now();
  button->click();
  const double ms = Millis(std::chrono::steady_clock::now() - start).count();
  const bool ok = list->count() > 0 && list->item(list->count() - 1)->text() == expected;
  return {ms, ok};
}

void Report(const char* name, const std::vector<double>& millis, double floorMs) {
  const vx::bench::Summary s = vx::bench::Summarise(millis);
  std::printf("%s: median %.1f ms, mean %.1f ms, min %.1f ms, max %.1f ms; floor %.1f ms; "
              "overhead above the floor: median %+.1f ms, mean %+.1f ms\n",
              name, s.median, s.mean, s.min, s.max, floorMs, s.median - floorMs, s.mean - floorMs);
}

}  // namespace

int main(int argc, char* argv[]) {
  vx::bench::PreferOffscreen();
  QApplication app(argc, argv);
  int cycles = 20;
  bool checkCardFirst = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--check-card-first") == 0)
      checkCardFirst = true;
    else
      cycles = std::max(1, std::atoi(argv[i]));
  }
  const std::string formatFile = vx::bench::ShippedFormatFile();

  const vx::sim::DeviceOptions device;  // no faults, real line rate and card times
  vx::LinkChoice link = vx::MakeSimulatedLink(device);
  if (!link.link) {
    std::fprintf(stderr, "no simulated device: %s\n", link.error.c_str());
    return 1;
  }
  auto timed = std::make_unique<PhaseTimingLink>(std::move(link.link));
  PhaseTimingLink& phases = *timed;
  Tesselmain window(std::move(timed));
  window.messageShower = [](const std::string& text) { std::fprintf(stderr, "message: %s\n", text.c_str()); };
  if (window.Startup(formatFile)) return 1;
  window.show();
  QCoreApplication::processEvents();

  const vx::TabSpec& tab = *vx::TabOfFormat("HID26");
  auto* write = window.findChild<QPushButton*>(QString("Command%1").arg(tab.writeButton));
  auto* linkButton = window.findChild<QPushButton*>("Command12");
  auto* list = window.findChild<QListWidget*>("List1");

  const vx::sim::DeviceTiming& t = device.timing;
  const double linkFloor = 12 * Ms(t.byteTime) + Ms(t.linkTime);
  const double preReadFloor = checkCardFirst ? 28 * Ms(t.byteTime) + Ms(t.readTime) : 0.0;
  const double writeFloor =
      51 * Ms(t.byteTime) + 10.0 * vx::kSettleTicks + Ms(t.writeTime) + Ms(t.readTime) + preReadFloor;
  std::printf("simulated reader/writer: byte %.3f ms (9600 baud, 11 bits), write %.0f ms, read %.0f ms, link %.0f ms\n",
              Ms(t.byteTime), Ms(t.writeTime), Ms(t.readTime), Ms(t.linkTime));

  // The first exchange opens the line and warms everything up; it is not counted.
  ClickAndTime(linkButton, list, "System Link Success");
  ClickAndTime(write, list, "Write AND Read Block Success");

  std::vector<double> linkMs;
  PhaseSums linkPhases;
  for (int i = 0; i < 20; ++i) {
    const Click c = ClickAndTime(linkButton, list, "System Link Success");
    if (c.ok) linkMs.push_back(c.ms);
    linkPhases.Add(phases.phases, c.ms);
  }

  if (checkCardFirst) {
    window.findChild<QCheckBox*>("CheckCardFirst")->click();
    std::printf("\"Check Card First\" ticked: every Write Card reads the card first\n");
  }
  std::vector<double> writeMs;
  PhaseSums writePhases;
  int failed = 0;
  const auto batchStart = std::chrono::steady_clock::now();
  for (int i = 0; i < cycles; ++i) {
    // The next card is not the one just written.
    window.State().lastWritten.reset();
    const Click c = ClickAndTime(write, list, "Write AND Read Block Success");
    if (c.ok)
      writeMs.push_back(c.ms);
    else
      ++failed;
    writePhases.Add(phases.phases, c.ms);
    if (list->count() > 1000) list->clear();  // as the operator's "Clear" would
  }
  const double batchSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - batchStart).count();

  Report("Link round trip (12 bytes + link time)", linkMs, linkFloor);
  linkPhases.Print("Link", {linkFloor});
  Report(checkCardFirst ? "Write Card cycle with the card read first (79 bytes + 200 ms pause + write + 2 reads)"
                        : "Write Card cycle (51 bytes + 200 ms pause + write + read)",
         writeMs, writeFloor);
  std::vector<double> floors{23 * Ms(t.byteTime) + Ms(t.writeTime), 28 * Ms(t.byteTime) + Ms(t.readTime)};
  if (checkCardFirst) floors.insert(floors.begin(), preReadFloor);
  writePhases.Print("Write Card", floors);
  std::printf("Write Card batch: %d cycles, %d confirmed, %d failed, %.1f s in all (%.1f cards a minute)\n", cycles,
              cycles - failed, failed, batchSeconds, batchSeconds > 0 ? 60.0 * cycles / batchSeconds : 0.0);
  if (failed > 0) std::printf("note: failed cycles are left out of the timings above\n");
  return 0;
}
