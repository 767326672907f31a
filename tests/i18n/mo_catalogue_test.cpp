// The .mo reader: what a catalogue gives for each context and count, in
// both byte orders, and that a damaged or cut-short file is refused whole.

#include "i18n/mo_catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "i18n/embedded_catalogues.h"
#include "support/mo_builder.h"

namespace vx {
namespace {

using test::BuildMo;
using test::MoEntry;
using test::MoHeader;
using namespace std::string_literals;

const char* const kRussianForms =
    "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);";

std::vector<MoEntry> SoundEntries() {
  return {
      MoHeader(kRussianForms),
      {"Clear", "Очистить"},
      {"list\x04" "Clear", "Очистить список"},
      {"%d card\0%d cards"s, "%d карта\0%d карты\0%d карт"s},
      {"tab\x04%d card\0%d cards"s, "%d вкладка\0%d вкладки\0%d вкладок"s},
  };
}

struct LookupRow {
  const char* context;
  const char* text;
  std::optional<std::uint64_t> n;  // a plural's count; none for a plain lookup
  std::optional<std::string> expected;
};

TEST(MoCatalogue, FindsEachTextByContextAndCountInBothByteOrders) {
  const LookupRow rows[] = {
      {"", "Clear", std::nullopt, "Очистить"},
      {"list", "Clear", std::nullopt, "Очистить список"},
      {"button", "Clear", std::nullopt, std::nullopt},
      {"", "Clear all", std::nullopt, std::nullopt},
      {"", "clear", std::nullopt, std::nullopt},
      {"", "%d card", 1, "%d карта"},
      {"", "%d card", 3, "%d карты"},
      {"", "%d card", 5, "%d карт"},
      {"", "%d card", 21, "%d карта"},
      {"", "%d card", 11, "%d карт"},
      {"tab", "%d card", 2, "%d вкладки"},
      {"", "%d card", std::nullopt, "%d карта"},
      // Only the singular is the key; a text without a plural has one form.
      {"", "%d cards", 2, std::nullopt},
      {"", "Clear", 1, "Очистить"},
      {"", "Clear", 2, std::nullopt},
  };
  for (const bool bigEndian : {false, true}) {
    const auto catalogue = MoCatalogue::Read(BuildMo(SoundEntries(), bigEndian));
    ASSERT_TRUE(catalogue) << "big-endian " << bigEndian;
    EXPECT_EQ(catalogue->Count(), 4u);
    EXPECT_EQ(catalogue->Plurals().Forms(), 3);
    for (const LookupRow& row : rows) {
      SCOPED_TRACE(std::string(row.context) + "|" + row.text + (bigEndian ? " big-endian" : " little-endian"));
      const auto found = row.n ? catalogue->FindPlural(row.context, row.text, *row.n)
                               : catalogue->Find(row.context, row.text);
      EXPECT_EQ(found ? std::optional<std::string>(*found) : std::nullopt, row.expected);
    }
  }
}

using Bytes = std::vector<std::uint8_t>;

void PutWord(Bytes& bytes, std::size_t at, std::uint32_t word) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(word >> (8 * i));
}
std::uint32_t Word(const Bytes& bytes, std::size_t at) {
  std::uint32_t word = 0;
  for (int i = 3; i >= 0; --i) word = (word << 8) | bytes[at + static_cast<std::size_t>(i)];
  return word;
}

struct DamageRow {
  const char* what;
  std::function<Bytes()> make;
  bool accepted;
};

TEST(MoCatalogue, RefusesADamagedFileWhole) {
  const Bytes sound = BuildMo(SoundEntries());
  const auto damaged = [&](std::function<void(Bytes&)> damage) {
    return [=] {
      Bytes bytes = sound;
      damage(bytes);
      return bytes;
    };
  };
  const DamageRow rows[] = {
      {"sound", [&] { return sound; }, true},
      {"minor revision 1 and major 1 (system-dependent tables unused)",
       [] { return BuildMo({{"a", "b"}}, false, 0x00010001); }, true},
      {"no header: the English plural rule", [] { return BuildMo({{"a", "b"}}); }, true},
      {"nothing at all", [] { return Bytes(); }, false},
      {"shorter than the header", [&] { return Bytes(sound.begin(), sound.begin() + 27); }, false},
      {"another magic number", damaged([](Bytes& b) { b[0] ^= 1; }), false},
      {"major revision 2", [] { return BuildMo({{"a", "b"}}, false, 0x00020000); }, false},
      {"more strings than the tables hold", damaged([](Bytes& b) { PutWord(b, 8, 0x10000000); }), false},
      {"a table beyond the end", damaged([](Bytes& b) { PutWord(b, 16, 0xfffffff0); }), false},
      {"a string beyond the end", damaged([](Bytes& b) { PutWord(b, 28 + 8 + 4, 0xffffff00); }), false},
      {"a string longer than the file", damaged([](Bytes& b) { PutWord(b, 28 + 8, 0xffffffff); }), false},
      {"a string without its NUL", damaged([](Bytes& b) { b[Word(b, 28 + 12) + Word(b, 28 + 8)] = 'x'; }), false},
      {"a plural rule that does not parse",
       [] { return BuildMo({MoHeader("nplurals=2; plural=n !=;"), {"a", "b"}}); }, false},
      {"a plural rule too deep", [] { return BuildMo({MoHeader("nplurals=2; plural=" + std::string(80, '(') + "n" +
                                                               std::string(80, ')') + ";"), {"a", "b"}}); }, false},
      {"a character set other than UTF-8",
       [] { return BuildMo({{"", "Content-Type: text/plain; charset=ISO-8859-1\n"}, {"a", "b"}}); }, false},
  };
  for (const DamageRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(MoCatalogue::Read(row.make()).has_value(), row.accepted);
  }

  // A catalogue msgfmt made, cut short at any length, is refused.
  ASSERT_FALSE(EmbeddedCatalogues().empty());
  const std::span<const std::uint8_t> real = EmbeddedCatalogues().front().bytes;
  ASSERT_TRUE(MoCatalogue::Read(real));
  for (std::size_t size = 0; size < real.size(); ++size)
    ASSERT_FALSE(MoCatalogue::Read(real.first(size))) << "cut at " << size;
}

}  // namespace
}  // namespace vx
