#pragma once
// PollCount: the 10 ms ticks since a wait last reset it, 0 to 999 and then 0
// again. It is read off a monotonic clock when it is read, so nothing has to
// wake the program a hundred times a second to keep it: an idle window sleeps.
// A fake window in a test counts its yields as ticks instead (manual ticks),
// so "no reply within 50 ticks" is exact and instant there.

#include <chrono>
#include <cstdint>

namespace vx {

inline constexpr std::chrono::milliseconds kTickLength{10};
inline constexpr std::int16_t kTickWrap = 1000;  // PollCount runs 0..999

class PollCounter {
 public:
  using Clock = std::chrono::steady_clock;

  PollCounter() : base_(Clock::now()) {}

  // A wait sets PollCount (to 0): the count starts again from now.
  PollCounter& operator=(std::int16_t ticks) {
    base_ = Clock::now();
    offset_ = ticks;
    return *this;
  }
  // The ticks counted now.
  operator std::int16_t() const { return static_cast<std::int16_t>(Total() % kTickWrap); }

  // How long until the count reaches `ticks` (zero once it has): what a wait
  // may sleep before it must look again.
  std::chrono::milliseconds Until(std::int16_t ticks) const {
    if (manual_) return Total() >= ticks ? std::chrono::milliseconds(0) : kTickLength;
    const auto due = base_ + kTickLength * (ticks - offset_);
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
    return left.count() > 0 ? left : std::chrono::milliseconds(0);
  }

  // One tick more, without time passing. With manual ticks, the only way the
  // count moves.
  void Tick() { ++offset_; }
  // The clock no longer counts: only Tick() does (fake windows in tests).
  void UseManualTicks() {
    offset_ = static_cast<std::int16_t>(*this);
    manual_ = true;
  }

 private:
  long long Total() const {
    if (manual_) return offset_;
    return offset_ + std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - base_).count() /
                         kTickLength.count();
  }

  Clock::time_point base_;
  long long offset_ = 0;
  bool manual_ = false;
};

}  // namespace vx
