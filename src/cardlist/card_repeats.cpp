#include "cardlist/card_repeats.h"

#include <unordered_map>

namespace vx {

namespace {

// A pair listed hundreds of times names its first entries only.
constexpr std::size_t kEntriesShown = 10;

std::string Times(std::size_t count) { return count == 2 ? "twice" : std::to_string(count) + " times"; }

// "5 and 9", "5, 9 and 12", "5, 9, ... and 40 more".
std::string EntryList(const std::vector<int>& entries) {
  const std::size_t shown = entries.size() > kEntriesShown ? kEntriesShown : entries.size();
  std::string text;
  for (std::size_t i = 0; i < shown; ++i) {
    if (i > 0) text += i + 1 == shown && shown == entries.size() ? " and " : ", ";
    text += std::to_string(entries[i]);
  }
  if (shown < entries.size()) text += " and " + std::to_string(entries.size() - shown) + " more";
  return text;
}

}  // namespace

std::vector<RepeatedPair> FindRepeatedPairs(const std::vector<CardEntry>& entries) {
  std::vector<RepeatedPair> pairs;  // every distinct pair, in order of its first entry
  std::unordered_map<std::string, std::size_t> seen;
  seen.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const CardEntry& entry = entries[i];
    const auto [it, fresh] = seen.try_emplace(FacilityCodeText(entry) + "," + CardNumberText(entry), pairs.size());
    if (fresh) pairs.push_back({entry, {}});
    pairs[it->second].entries.push_back(static_cast<int>(i) + 1);
  }
  std::erase_if(pairs, [](const RepeatedPair& pair) { return pair.entries.size() < 2; });
  return pairs;
}

std::string RepeatedPairsText(const std::vector<RepeatedPair>& repeats, std::string_view fileName) {
  std::string text;
  const std::size_t shown = repeats.size() > kRepeatsShown ? kRepeatsShown : repeats.size();
  for (std::size_t i = 0; i < shown; ++i) {
    const RepeatedPair& repeat = repeats[i];
    if (!text.empty()) text += '\n';
    text += std::string(fileName) + " lists " + FacilityCodeText(repeat.pair) + "," + CardNumberText(repeat.pair) +
            " " + Times(repeat.entries.size()) + " (entries " + EntryList(repeat.entries) + ")";
  }
  if (shown < repeats.size()) {
    const std::size_t more = repeats.size() - shown;
    text += "\n... and " + std::to_string(more) + (more == 1 ? " more pair" : " more pairs") +
            " listed more than once.";
  }
  return text;
}

}  // namespace vx
