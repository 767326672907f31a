#pragma once
// A card-number file that lists a pair more than once would issue one
// credential twice. The file still loads as it is; the operator is told which
// pairs repeat and at which entries, to correct the file or skip them.

#include <string>
#include <string_view>
#include <vector>

#include "cardlist/card_list.h"

namespace vx {

struct RepeatedPair {
  CardEntry pair;
  std::vector<int> entries;  // 1-based, in file order; two or more
};

// The pairs listed more than once, in the order of their first entry.
std::vector<RepeatedPair> FindRepeatedPairs(const std::vector<CardEntry>& entries);

inline constexpr std::size_t kRepeatsShown = 10;

// One line per pair, "cards.txt lists 12,1005 twice (entries 5 and 9)", the
// first kRepeatsShown pairs and then how many more; empty when none repeats.
std::string RepeatedPairsText(const std::vector<RepeatedPair>& repeats, std::string_view fileName);

}  // namespace vx
