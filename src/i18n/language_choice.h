#pragma once
// Which catalogue a language code asks for. The code comes from --language
// ("de", "pt_BR", "de_DE.UTF-8", "zh-CN"), from the POSIX locale variables or
// from the Windows display language; a language the program has no
// catalogue for is English, with nothing said.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vx {

// "de_DE.UTF-8" and "de-de@euro" become "de_DE": the encoding and the
// modifier dropped, the language in lower case, the region in upper case.
std::string LocaleName(std::string_view code);

// The name of the catalogue among `available` ("de", "pt_BR") that `code`
// asks for, or empty for English. The language and region as given first,
// then the language alone, then the one catalogue of that language (so "pt"
// and "pt_PT" take "pt_BR", and "zh" "zh_CN") unless the region writes the
// language otherwise (Traditional Chinese in Taiwan, Hong Kong, Macau).
std::string CatalogueFor(std::string_view code, std::span<const std::string_view> available);

// The locale that decides the language of messages on POSIX: the first of
// LC_ALL, LC_MESSAGES and LANG that is set and not empty (nullptr for unset).
std::string LocaleOfEnvironment(const char* lcAll, const char* lcMessages, const char* lang);

// A Windows language identifier (as GetUserDefaultUILanguage gives) as a
// locale name, "de" or "zh_CN"; empty for one the program has no catalogue for.
std::string LocaleOfLangId(std::uint16_t langId);

}  // namespace vx
