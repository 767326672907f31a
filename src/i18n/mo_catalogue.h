#pragma once
// A compiled GNU message catalogue (.mo), as msgfmt writes it: the English
// texts, each with its context and plural, and their translations. Read from
// bytes in memory in either byte order; a file that is damaged or cut short
// anywhere is refused whole, never half read.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "i18n/plural_rule.h"

namespace vx {

class MoCatalogue {
 public:
  // The catalogue in `bytes` (copied), or nullopt for anything that is not a
  // sound catalogue in UTF-8 whose plural rule parses.
  static std::optional<MoCatalogue> Read(std::span<const std::uint8_t> bytes);

  // The translation of `text` in `context` (empty for none); nullopt when
  // the catalogue has none. For a text with a plural, its first form.
  std::optional<std::string_view> Find(std::string_view context, std::string_view text) const;
  // The form for the count n of the translation of `singular`.
  std::optional<std::string_view> FindPlural(std::string_view context, std::string_view singular,
                                             std::uint64_t n) const;

  const PluralRule& Plurals() const { return plurals_; }
  // The translated texts, the header not counted.
  std::size_t Count() const { return translations_.size(); }

 private:
  MoCatalogue() : plurals_(PluralRule::Default()) {}

  // Keyed by context, U+0004 and the English text (its singular for a plural);
  // the forms of a plural are separated by NUL, as in the file.
  std::map<std::string, std::string, std::less<>> translations_;
  PluralRule plurals_;
};

}  // namespace vx
