#include "i18n/language_choice.h"
#include "i18n/ascii_case.h"

#include <algorithm>
#include <cctype>

namespace vx {

namespace {

bool Has(std::span<const std::string_view> available, std::string_view name) {
  return std::find(available.begin(), available.end(), name) != available.end();
}

std::string_view LanguagePart(std::string_view name) { return name.substr(0, name.find('_')); }

// Regions whose Chinese is written in Traditional characters, which the
// Simplified catalogue does not serve.
bool WritesTraditionalChinese(std::string_view name) {
  return name == "zh_TW" || name == "zh_HK" || name == "zh_MO" || name.starts_with("zh_HANT");
}

struct WindowsLanguage {
  std::uint16_t primary;    // PRIMARYLANGID: the low ten bits
  std::uint16_t sublanguage;  // SUBLANGID, or 0 for any
  const char* locale;
};

// The languages with a catalogue, by their primary language number. The
// first row that fits wins: Chinese and Portuguese by their region first.
constexpr WindowsLanguage kWindowsLanguages[] = {
    {0x07, 0, "de"},         {0x0c, 0, "fr"},         {0x0a, 0, "es"},         {0x10, 0, "it"},
    {0x13, 0, "nl"},         {0x15, 0, "pl"},         {0x19, 0, "ru"},         {0x1f, 0, "tr"},
    {0x09, 0, "en"},         {0x16, 0x01, "pt_BR"},   {0x16, 0x02, "pt_PT"},   {0x16, 0, "pt"},
    {0x04, 0x01, "zh_TW"},   {0x04, 0x02, "zh_CN"},   {0x04, 0x03, "zh_HK"},   {0x04, 0x04, "zh_SG"},
    {0x04, 0x05, "zh_MO"},   {0x04, 0x1f, "zh_Hant"}, {0x04, 0, "zh"},
};

}  // namespace

std::string LocaleName(std::string_view code) {
  code = code.substr(0, code.find_first_of(".@"));
  std::string name;
  bool region = false;
  for (const char c : code) {
    if (c == '_' || c == '-') {
      region = true;
      name += '_';
      continue;
    }
    name += region ? AsciiUpper(c) : AsciiLower(c);
  }
  return name;
}

std::string CatalogueFor(std::string_view code, std::span<const std::string_view> available) {
  const std::string name = LocaleName(code);
  const std::string_view language = LanguagePart(name);
  if (language.empty() || language == "en" || language == "c" || language == "posix") return {};
  if (Has(available, name)) return name;
  if (Has(available, language)) return std::string(language);
  if (language == "zh" && WritesTraditionalChinese(name)) return {};
  for (const std::string_view catalogue : available)
    if (LanguagePart(catalogue) == language) return std::string(catalogue);
  return {};
}

std::string LocaleOfEnvironment(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang})
    if (value && *value) return value;
  return {};
}

std::string LocaleOfLangId(std::uint16_t langId) {
  const std::uint16_t primary = langId & 0x3ff;
  const std::uint16_t sublanguage = langId >> 10;
  for (const WindowsLanguage& language : kWindowsLanguages)
    if (language.primary == primary && (language.sublanguage == 0 || language.sublanguage == sublanguage))
      return language.locale;
  return {};
}

}  // namespace vx
