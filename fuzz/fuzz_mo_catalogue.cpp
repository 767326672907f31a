// A compiled catalogue as any bytes at all: it is refused, or read whole and
// then every lookup stays within it; the same bytes as a Plural-Forms line
// give a rule that is refused or names a form below its own count.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "fuzz_check.h"
#include "i18n/mo_catalogue.h"
#include "i18n/plural_rule.h"

namespace {

constexpr std::uint64_t kCounts[] = {0, 1, 2, 5, 11, 21, 101, 1000000, ~std::uint64_t{0}};

void CheckRule(const vx::PluralRule& rule) {
  FUZZ_CHECK(rule.Forms() >= 1 && rule.Forms() <= 10);
  for (const std::uint64_t n : kCounts) {
    const int form = rule.FormFor(n);
    FUZZ_CHECK(form >= 0 && form < rule.Forms());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  if (const auto catalogue = vx::MoCatalogue::Read(bytes)) {
    FUZZ_CHECK(catalogue->Count() <= size / 16);
    CheckRule(catalogue->Plurals());
    // Texts of the seeds, and pieces of the input itself, looked up.
    for (const std::string_view key : {std::string_view("Clear"), std::string_view("%d card"), text.substr(0, 8)}) {
      for (const std::string_view context : {std::string_view(), std::string_view("list")}) {
        if (const auto found = catalogue->Find(context, key)) FUZZ_CHECK(found->size() < size);
        for (const std::uint64_t n : kCounts)
          if (const auto form = catalogue->FindPlural(context, key, n)) FUZZ_CHECK(!form->empty() && form->size() < size);
      }
    }
  }
  if (const auto rule = vx::PluralRule::Parse(text)) CheckRule(*rule);
  return 0;
}
