#include "support/fake_host.h"

namespace vx::test {

void FakeHost::Tick() {
  ++ticks_;
  TimerTick(*state_);
  link_.Tick();
  auto it = actions_.find(ticks_);
  if (it != actions_.end()) {
    auto actions = std::move(it->second);
    actions_.erase(it);
    for (auto& action : actions) action();
  }
}

void FakeHost::WaitForEvents(std::chrono::milliseconds) { Tick(); }

void FakeHost::LogLine(const std::string& text) {
  list.push_back(text);
  SelectLastLine();
}

void FakeHost::SelectLastLine() { selectedLine = static_cast<int>(list.size()) - 1; }

void FakeHost::ShowMessage(const std::string& text) {
  messages.push_back(text);
  if (onMessage) onMessage(text);
}

bool FakeHost::AskYesNo(const std::string& question, Answer preset) {
  const std::size_t asked = questions.size();
  questions.push_back(question);
  presets.push_back(preset);
  return asked < answers.size() && answers[asked];
}

std::optional<std::string> FakeHost::AskPrintedNumber(const std::string& prompt) {
  const std::size_t asked = printedPrompts.size();
  printedPrompts.push_back(prompt);
  return asked < printedTyped.size() ? printedTyped[asked] : std::nullopt;
}

std::string FakeHost::BoxText(int box) {
  auto it = boxes.find(box);
  return it == boxes.end() ? std::string("1") : it->second;
}

}  // namespace vx::test
