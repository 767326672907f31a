#include "cli/console_host.h"

#include <thread>

#include "cli/console_system.h"

namespace vx::cli {

ConsoleHost::Said ConsoleHost::TakeSaid() {
  Said said = std::move(said_);
  said_ = {};
  return said;
}

bool ConsoleHost::Interrupted() const { return InterruptCount() >= 2; }

void ConsoleHost::WaitForEvents(std::chrono::milliseconds timeout) {
  // A port that went away wakes nothing: sleep out the time instead of spinning.
  if (link_.IsOpen())
    link_.WaitForInput(timeout);
  else
    std::this_thread::sleep_for(timeout);
  // Ended at once by a second Ctrl+C: the card in hand is cut short, and what
  // the cut-short wait would say of it is not the card's real outcome, so the
  // record stays as it stands.
  if (Interrupted()) state_.recordPath.clear();
}

std::string ConsoleHost::BoxText(int box) {
  const auto it = boxes_.find(box);
  return it == boxes_.end() ? std::string() : it->second;
}

}  // namespace vx::cli
