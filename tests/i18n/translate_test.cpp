// The translation functions over a catalogue in use, and with none (English):
// contexts, plural forms, texts the catalogue lacks, and the constants that
// translate when used.

#include "i18n/translate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18n/mo_catalogue.h"
#include "i18n/text_format.h"
#include "support/mo_builder.h"

namespace vx {
namespace {

using namespace std::string_literals;

constexpr LazyText kClear = TrLater("Clear");
constexpr LazyText kListClear = TrCtxLater("list", "Clear");
constexpr LazyText kUntranslated = TrLater("Browse");

struct Row {
  std::string shown;
  std::string expected;
};

TEST(Translate, GivesTheCatalogueTextOrTheEnglish) {
  const auto catalogue = MoCatalogue::Read(test::BuildMo({
      test::MoHeader("nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);"),
      {"Clear", "Wyczyść"},
      {"list\x04" "Clear", "Wyczyść listę"},
      {"%d card\0%d cards"s, "%d karta\0%d karty\0%d kart"s},
      {"Linked: %s", "Połączono: %s"},
  }));
  ASSERT_TRUE(catalogue);

  SetCatalogue(&*catalogue);
  const std::vector<Row> polish = {
      {Tr("Clear"), "Wyczyść"},
      {TrCtx("list", "Clear"), "Wyczyść listę"},
      {TrCtx("button", "Clear"), "Clear"},
      {Tr("Browse"), "Browse"},
      {TrN("%d card", "%d cards", 1), "%d karta"},
      {TrN("%d card", "%d cards", 3), "%d karty"},
      {TrN("%d card", "%d cards", 25), "%d kart"},
      {TrCtxN("tab", "%d card", "%d cards", 3), "%d cards"},
      {TrN("%d row", "%d rows", 1), "%d row"},
      {TrN("%d row", "%d rows", 3), "%d rows"},
      {Format(Tr("Linked: %s"), "COM3"), "Połączono: COM3"},
      {kClear, "Wyczyść"},
      {kListClear, "Wyczyść listę"},
      {kUntranslated, "Browse"},
  };
  // A constant compares equal to what the operator is shown, not to its English.
  const bool shownEqualsConstant = "Wyczyść"s == kClear;
  const bool englishEqualsConstant = "Clear"s == kClear;

  SetCatalogue(nullptr);
  const std::vector<Row> english = {
      {Tr("Clear"), "Clear"},
      {TrCtx("list", "Clear"), "Clear"},
      {TrN("%d card", "%d cards", 1), "%d card"},
      {TrN("%d card", "%d cards", 0), "%d cards"},
      {TrN("%d card", "%d cards", 2), "%d cards"},
      {kListClear, "Clear"},
      {Tr(" The Card is End!"), " The Card is End!"},
  };

  for (const auto& rows : {polish, english})
    for (const Row& row : rows) EXPECT_EQ(row.shown, row.expected);
  EXPECT_TRUE(shownEqualsConstant);
  EXPECT_FALSE(englishEqualsConstant);
  EXPECT_EQ(kClear.English(), "Clear");
}

TEST(TextFormat, FillsPlaceholders) {
  const Row rows[] = {
      {Format("%s has no %s format line", "HID.cfg", "HID24"), "HID.cfg has no HID24 format line"},
      {Format("%3$s, %1$s, %2$s", "a", "b", "c"), "c, a, b"},
      {Format("%2$s %1$s %2$s", "x", "y"), "y x y"},
      // Numbers as plain digits, never grouped.
      {Format("%d written, %u left", 1234567, 18446744073709551615ull), "1234567 written, 18446744073709551615 left"},
      {Format("%d", -42), "-42"},
      {Format("%i and %d", 7, std::int16_t{-3}), "7 and -3"},
      {Format("100%% of %d", 5), "100% of 5"},
      // What has no argument, or is not a placeholder, stays as it is.
      {Format("%s and %s", "one"), "one and %s"},
      {Format("%3$s", "one"), "%3$s"},
      {Format("%x %5 %$s %0$s %", "a"), "%x %5 %$s %0$s %"},
      {Format("no placeholder", "unused"), "no placeholder"},
      {Format("%s", std::string("a\0b", 3)), std::string("a\0b", 3)},
      {Format("«%s»", "HID WG24"), "«HID WG24»"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.shown, row.expected);
}

}  // namespace
}  // namespace vx
