#include "cardlist/card_repeats.h"

#include <unordered_map>

#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

namespace {

// A pair listed hundreds of times names its first entries only.
constexpr std::size_t kEntriesShown = 10;

// "5 and 9", "5, 9 and 12", "5, 9, ... and 40 more".
std::string EntryList(const std::vector<int>& entries) {
  const std::size_t shown = entries.size() > kEntriesShown ? kEntriesShown : entries.size();
  if (shown == 0) return {};
  const bool all = shown == entries.size();
  // Every entry shown but the last of a whole list, one after the other.
  const std::size_t listed = all && shown > 1 ? shown - 1 : shown;
  std::string text;
  for (std::size_t i = 0; i < listed; ++i) text += (i > 0 ? ", " : "") + std::to_string(entries[i]);
  if (!all) {
    const std::size_t more = entries.size() - shown;
    // TRANSLATORS: the end of a list of entries: "5, 9, 12 and 40 more"; %1$s
    // is the entries shown, %2$d how many more there are.
    return Format(TrN("%1$s and %2$d more", "%1$s and %2$d more", more), text, more);
  }
  if (listed == shown) return text;
  // TRANSLATORS: the last two of a list: "5, 9 and 12"; %1$s is the entries
  // before the last, %2$s the last.
  return Format(TrCtx("list", "%1$s and %2$s"), text, std::to_string(entries[shown - 1]));
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
    const std::string pair = FacilityCodeText(repeat.pair) + "," + CardNumberText(repeat.pair);
    const std::size_t times = repeat.entries.size();
    if (times == 2) {
      // TRANSLATORS: %1$s is the card-number file, %2$s the pair ("12,1000"),
      // %3$s its entries ("5 and 9").
      text += Format(Tr("%1$s lists %2$s twice (entries %3$s)"), fileName, pair, EntryList(repeat.entries));
    } else {
      // TRANSLATORS: %1$s is the card-number file, %2$s the pair ("12,1000"),
      // %3$d how many times it is listed, %4$s its entries ("5, 9 and 12").
      text += Format(
          TrN("%1$s lists %2$s %3$d times (entries %4$s)", "%1$s lists %2$s %3$d times (entries %4$s)", times),
          fileName, pair, times, EntryList(repeat.entries));
    }
  }
  if (shown < repeats.size()) {
    const std::size_t more = repeats.size() - shown;
    // TRANSLATORS: after the pairs named above, %d is how many more pairs
    // the file lists more than once.
    text += "\n" + Format(TrN("... and %d more pair listed more than once.",
                               "... and %d more pairs listed more than once.", more),
                           more);
  }
  return text;
}

}  // namespace vx
