#include "i18n/system_locale.h"

#include <windows.h>

#include "i18n/language_choice.h"

namespace vx {

// The language Windows shows its own menus and dialogs in, which the
// operator chose; the regional format settings do not decide it.
std::string SystemLocale() { return LocaleOfLangId(GetUserDefaultUILanguage()); }

}  // namespace vx
