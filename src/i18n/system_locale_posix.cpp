#include "i18n/system_locale.h"

#include <cstdlib>

#include "i18n/language_choice.h"

namespace vx {

std::string SystemLocale() {
  return LocaleOfEnvironment(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

}  // namespace vx
