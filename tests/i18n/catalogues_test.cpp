// One table over every catalogue the program ships: each source text of
// po/vandorix-programmer.pot is in each po/LANG.po, translated, not fuzzy,
// with the placeholders of its English, and reaches the program's Tr through
// the built-in catalogue; each language has its plural rule. English is the
// row whose every text is its own source, byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "i18n/embedded_catalogues.h"
#include "i18n/mo_catalogue.h"
#include "i18n/translate.h"
#include "i18n/use_language.h"
#include "support/po_file.h"

namespace vx {
namespace {

using test::PoEntry;

const std::string kPoDir = std::string(VX_SOURCE_DIR) + "/po/";

struct LanguageRow {
  std::string name;
  int forms;
  std::vector<std::pair<std::uint64_t, int>> plurals;  // a count and the form it takes
};

const LanguageRow kLanguages[] = {
    {"en", 2, {{1, 0}, {0, 1}, {2, 1}}},
    {"de", 2, {{1, 0}, {0, 1}, {2, 1}}},
    {"fr", 2, {{0, 0}, {1, 0}, {2, 1}}},
    {"es", 2, {{1, 0}, {0, 1}, {2, 1}}},
    {"pt_BR", 2, {{0, 0}, {1, 0}, {2, 1}}},
    {"it", 2, {{1, 0}, {0, 1}, {2, 1}}},
    {"nl", 2, {{1, 0}, {0, 1}, {2, 1}}},
    {"pl", 3, {{1, 0}, {2, 1}, {4, 1}, {5, 2}, {12, 2}, {22, 1}, {0, 2}}},
    {"ru", 3, {{1, 0}, {21, 0}, {2, 1}, {24, 1}, {5, 2}, {11, 2}, {111, 2}}},
    {"tr", 2, {{1, 0}, {0, 1}, {2, 1}}},
    {"zh_CN", 1, {{1, 0}, {2, 0}, {5, 0}}},
};

// The placeholders of a text as (argument, kind): %s a text, %d %i %u a
// number; %2$s names its argument, a plain one takes the next.
std::multiset<std::pair<int, char>> Placeholders(const std::string& text) {
  std::multiset<std::pair<int, char>> found;
  int next = 1;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (text[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t at = i + 1;
    int position = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])))
      position = position * 10 + (text[at++] - '0');
    if (at < text.size() && text[at] == '$') ++at;
    else position = 0, at = i + 1;
    const char kind = at < text.size() ? text[at] : '\0';
    found.insert({position > 0 ? position : next++, kind == 's' ? 's' : 'd'});
    i = at;
  }
  return found;
}

std::string Key(const PoEntry& entry) { return entry.context + "\x04" + entry.id; }

std::map<std::string, PoEntry> EntriesOf(const std::string& path) {
  std::map<std::string, PoEntry> entries;
  for (PoEntry& entry : test::ReadPoFile(path))
    if (!entry.obsolete) entries.emplace(Key(entry), std::move(entry));
  return entries;
}

TEST(Catalogues, EverySourceTextIsTranslatedInEveryLanguage) {
  std::vector<PoEntry> sources = test::ReadPoFile(kPoDir + "vandorix-programmer.pot");
  ASSERT_GT(sources.size(), 1u) << "no template in " << kPoDir;
  ASSERT_TRUE(sources.front().id.empty());
  sources.erase(sources.begin());

  // The catalogues built in are the .po files there are, and those are the
  // languages of this table.
  std::set<std::string> poFiles, builtIn, listed;
  for (const auto& file : std::filesystem::directory_iterator(kPoDir))
    if (file.path().extension() == ".po") poFiles.insert(file.path().stem().string());
  for (const EmbeddedCatalogue& catalogue : EmbeddedCatalogues()) builtIn.emplace(catalogue.language);
  for (const LanguageRow& row : kLanguages)
    if (row.name != "en") listed.insert(row.name);
  EXPECT_EQ(builtIn, poFiles);
  EXPECT_EQ(listed, poFiles);

  for (const LanguageRow& row : kLanguages) {
    SCOPED_TRACE(row.name);
    const bool isEnglish = row.name == "en";
    EXPECT_EQ(UseLanguage(row.name), row.name);

    std::map<std::string, PoEntry> po;
    if (!isEnglish) {
      po = EntriesOf(kPoDir + row.name + ".po");
      const auto header = po.find(std::string("\x04"));
      ASSERT_NE(header, po.end());
      ASSERT_EQ(header->second.translations.size(), 1u);
      const std::string& fields = header->second.translations[0];
      EXPECT_EQ(test::PoHeaderField(fields, "Language"), row.name);
      EXPECT_NE(test::PoHeaderField(fields, "Content-Type").find("charset=UTF-8"), std::string::npos);
      for (const auto& [key, entry] : po) EXPECT_FALSE(entry.Fuzzy()) << "fuzzy: " << entry.id;
    }
    const auto embedded = std::find_if(EmbeddedCatalogues().begin(), EmbeddedCatalogues().end(),
                                       [&](const EmbeddedCatalogue& c) { return c.language == row.name; });
    ASSERT_TRUE(isEnglish || embedded != EmbeddedCatalogues().end());
    const auto catalogue = isEnglish ? std::nullopt : MoCatalogue::Read(embedded->bytes);
    ASSERT_EQ(catalogue.has_value(), !isEnglish);
    const PluralRule plurals = catalogue ? catalogue->Plurals() : PluralRule::Default();
    EXPECT_EQ(plurals.Forms(), row.forms);
    for (const auto& [n, form] : row.plurals) EXPECT_EQ(plurals.FormFor(n), form) << "n=" << n;

    for (const PoEntry& source : sources) {
      SCOPED_TRACE(source.id);
      const bool plural = !source.idPlural.empty();
      std::vector<std::string> expected;
      if (isEnglish) {
        expected = {source.id};
        if (plural) expected.push_back(source.idPlural);
      } else {
        const auto found = po.find(Key(source));
        ASSERT_NE(found, po.end()) << "missing";
        expected = found->second.translations;
        EXPECT_EQ(found->second.idPlural, source.idPlural);
        ASSERT_EQ(expected.size(), plural ? static_cast<std::size_t>(row.forms) : 1u);
      }
      for (std::size_t form = 0; form < expected.size(); ++form) {
        EXPECT_FALSE(expected[form].empty()) << "untranslated form " << form;
        // Every form of a translated plural holds the placeholders of the
        // English plural, its first form for one as well.
        const std::string& original = plural && (form > 0 || !isEnglish) ? source.idPlural : source.id;
        EXPECT_EQ(Placeholders(expected[form]), Placeholders(original)) << expected[form];
      }
      if (plural) {
        for (const auto& [n, form] : row.plurals)
          EXPECT_EQ(TrCtxN(source.context, source.id, source.idPlural, n), expected[static_cast<std::size_t>(form)]);
      } else {
        EXPECT_EQ(TrCtx(source.context, source.id), expected[0]);
      }
    }
  }
  UseLanguage("en");
}

}  // namespace
}  // namespace vx
