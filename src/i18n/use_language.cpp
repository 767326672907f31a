#include "i18n/use_language.h"

#include <map>
#include <optional>
#include <vector>

#include "i18n/embedded_catalogues.h"
#include "i18n/language_choice.h"
#include "i18n/mo_catalogue.h"
#include "i18n/system_locale.h"
#include "i18n/translate.h"
#include "i18n/option_argument.h"

namespace vx {

namespace {

// Each catalogue is read once and kept for the program's life, so the one in
// use stays valid whatever is chosen later.
const MoCatalogue* ReadOnce(const EmbeddedCatalogue& embedded) {
  static std::map<std::string_view, std::optional<MoCatalogue>> read;
  auto [it, added] = read.try_emplace(embedded.language);
  if (added) it->second = MoCatalogue::Read(embedded.bytes);
  return it->second ? &*it->second : nullptr;
}

}  // namespace

std::string UseLanguage(std::string_view code) {
  const std::string locale = code.empty() ? SystemLocale() : std::string(code);
  std::vector<std::string_view> names;
  for (const EmbeddedCatalogue& embedded : EmbeddedCatalogues()) names.push_back(embedded.language);
  const std::string chosen = CatalogueFor(locale, names);
  for (const EmbeddedCatalogue& embedded : EmbeddedCatalogues()) {
    if (embedded.language != chosen) continue;
    if (const MoCatalogue* catalogue = ReadOnce(embedded)) {
      SetCatalogue(catalogue);
      return chosen;
    }
  }
  SetCatalogue(nullptr);
  return "en";
}

std::string LanguageArgument(const std::vector<std::string>& arguments) {
  std::string code;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const OptionArgument language = ReadOption(arguments, i, "--language");
    if (!language.value) continue;
    code = *language.value;
    i = language.next - 1;
  }
  return code;
}

}  // namespace vx
