#pragma once
// The language the operator's system is set to, as a locale name for
// CatalogueFor: the locale variables on POSIX, the user's display language
// on Windows. Empty when the system says nothing.

#include <string>

namespace vx {

std::string SystemLocale();

}  // namespace vx
