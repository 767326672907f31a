#include "i18n/translate.h"

#include <atomic>

#include "i18n/mo_catalogue.h"

namespace vx {

namespace {

std::atomic<const MoCatalogue*> active{nullptr};

}  // namespace

void SetCatalogue(const MoCatalogue* catalogue) { active.store(catalogue); }

std::string TrCtx(std::string_view context, std::string_view text) {
  if (const MoCatalogue* catalogue = active.load())
    if (const auto found = catalogue->Find(context, text)) return std::string(*found);
  return std::string(text);
}

std::string Tr(std::string_view text) { return TrCtx({}, text); }

std::string TrCtxN(std::string_view context, std::string_view singular, std::string_view plural, std::uint64_t n) {
  if (const MoCatalogue* catalogue = active.load())
    if (const auto found = catalogue->FindPlural(context, singular, n)) return std::string(*found);
  return std::string(n == 1 ? singular : plural);
}

std::string TrN(std::string_view singular, std::string_view plural, std::uint64_t n) {
  return TrCtxN({}, singular, plural, n);
}

}  // namespace vx
