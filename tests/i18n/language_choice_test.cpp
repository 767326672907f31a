// Which catalogue the program takes: from --language, from the POSIX locale
// variables, from a Windows display language. English (empty) for a language
// the program has no catalogue for.

#include "i18n/language_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "i18n/embedded_catalogues.h"
#include "i18n/use_language.h"

namespace vx {
namespace {

struct ChoiceRow {
  std::string asked;      // what was given, as the locale it names
  std::string catalogue;  // empty: English
};

TEST(LanguageChoice, TheCatalogueEachLanguageTakes) {
  const ChoiceRow rows[] = {
      // --language, as the operator types it.
      {"de", "de"},
      {"pt_BR", "pt_BR"},
      {"zh_CN", "zh_CN"},
      {"en", ""},
      {"de_DE.UTF-8", "de"},
      {"de-AT", "de"},
      {"de_DE@euro", "de"},
      {"FR_fr", "fr"},
      {"pt", "pt_BR"},
      {"pt_PT.UTF-8", "pt_BR"},
      {"pt-br", "pt_BR"},
      {"zh", "zh_CN"},
      {"zh_SG", "zh_CN"},
      {"zh-Hans", "zh_CN"},
      {"zh_TW.UTF-8", ""},
      {"zh_HK", ""},
      {"zh-Hant", ""},
      {"ja_JP.UTF-8", ""},
      {"klingon", ""},
      {"", ""},
      {"C", ""},
      {"C.UTF-8", ""},
      {"POSIX", ""},
      {"en_GB.UTF-8", ""},
      // The POSIX variables: LC_ALL before LC_MESSAGES before LANG; unset or
      // empty ones do not count.
      {LocaleOfEnvironment("fr_FR.UTF-8", "de_DE.UTF-8", "ru_RU.UTF-8"), "fr"},
      {LocaleOfEnvironment(nullptr, "de_DE.UTF-8", "ru_RU.UTF-8"), "de"},
      {LocaleOfEnvironment("", "", "ru_RU.UTF-8"), "ru"},
      {LocaleOfEnvironment("C", "de_DE.UTF-8", "de_DE.UTF-8"), ""},
      {LocaleOfEnvironment(nullptr, nullptr, "tr_TR.UTF-8"), "tr"},
      {LocaleOfEnvironment(nullptr, nullptr, nullptr), ""},
      // Windows display languages (GetUserDefaultUILanguage).
      {LocaleOfLangId(0x0407), "de"},
      {LocaleOfLangId(0x0807), "de"},
      {LocaleOfLangId(0x040c), "fr"},
      {LocaleOfLangId(0x0c0a), "es"},
      {LocaleOfLangId(0x0416), "pt_BR"},
      {LocaleOfLangId(0x0816), "pt_BR"},
      {LocaleOfLangId(0x0410), "it"},
      {LocaleOfLangId(0x0413), "nl"},
      {LocaleOfLangId(0x0415), "pl"},
      {LocaleOfLangId(0x0419), "ru"},
      {LocaleOfLangId(0x041f), "tr"},
      {LocaleOfLangId(0x0804), "zh_CN"},
      {LocaleOfLangId(0x1004), "zh_CN"},
      {LocaleOfLangId(0x0004), "zh_CN"},
      {LocaleOfLangId(0x0404), ""},
      {LocaleOfLangId(0x0c04), ""},
      {LocaleOfLangId(0x7c04), ""},
      {LocaleOfLangId(0x0409), ""},
      {LocaleOfLangId(0x0411), ""},
      {LocaleOfLangId(0x0000), ""},
  };
  std::vector<std::string_view> available;
  for (const EmbeddedCatalogue& catalogue : EmbeddedCatalogues()) available.push_back(catalogue.language);
  for (const ChoiceRow& row : rows) {
    SCOPED_TRACE(row.asked);
    EXPECT_EQ(CatalogueFor(row.asked, available), row.catalogue);
  }
}

struct ArgumentRow {
  std::vector<std::string> arguments;
  std::string code;
};

// The language is taken from the arguments before they are parsed, wherever
// it stands among them.
TEST(LanguageChoice, TheLanguageArgument) {
  const ArgumentRow rows[] = {
      {{}, ""},
      {{"--language", "de"}, "de"},
      {{"write", "--port", "COM3", "--language=pt_BR", "--yes"}, "pt_BR"},
      {{"--language", "de", "--language", "fr"}, "fr"},
      {{"--port", "--language"}, ""},
      {{"--languages", "de"}, ""},
      {{"--language="}, ""},
  };
  for (const ArgumentRow& row : rows) EXPECT_EQ(LanguageArgument(row.arguments), row.code);
}

}  // namespace
}  // namespace vx
