#pragma once
// The result banner: the last device operation's outcome in large text. The
// tone picks the colour, but the words and the symbol carry the meaning alone.

#include <string>

namespace vx {

// Working: a run still going (Identify's progress); it plays no sound.
enum class BannerTone { Good, Bad, Neutral, Working };

struct ResultBanner {
  std::string text;
  BannerTone tone = BannerTone::Neutral;
  bool operator==(const ResultBanner&) const = default;
};

}  // namespace vx
