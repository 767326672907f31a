#include "formats/item_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vx {
namespace {

struct Seen {
  std::string text;
  int line;
};

std::vector<Seen> ReadAll(std::string_view text) {
  std::vector<Seen> items;
  ItemReader reader(text);
  while (!reader.AtEnd()) {
    const Item item = reader.Next();
    items.push_back({std::string(item.text), item.line});
  }
  return items;
}

TEST(ItemReader, SplitsAtCommasAndLineEnds) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<Seen> expected;
  };
  const Case cases[] = {
      {"empty text", "", {}},
      {"no final line end", "a,b", {{"a", 1}, {"b", 1}}},
      {"final LF adds no item", "a\n", {{"a", 1}}},
      {"CR-LF is one line end", "a\r\nb\r\n", {{"a", 1}, {"b", 2}}},
      {"lone CR", "a\rb\rc", {{"a", 1}, {"b", 2}, {"c", 3}}},
      {"LF-CR is two line ends", "a\n\rb", {{"a", 1}, {"", 2}, {"b", 3}}},
      {"empty line is an empty item", "a\n\nb", {{"a", 1}, {"", 2}, {"b", 3}}},
      {"leading blanks skipped, trailing kept", " \t a b  ,c", {{"a b  ", 1}, {"c", 1}}},
      {"empty between commas", "a,,b", {{"a", 1}, {"", 1}, {"b", 1}}},
      {"comma then line end", "a,\nb", {{"a", 1}, {"", 1}, {"b", 2}}},
      {"comma at the very end adds no item", "a,", {{"a", 1}}},
      {"quotes dropped, commas inside kept", "\"a,b\",c", {{"a,b", 1}, {"c", 1}}},
      {"text after closing quote dropped", "\"a\" junk,b\nc", {{"a", 1}, {"b", 1}, {"c", 2}}},
      {"quoted item runs over lines", "\"a\r\nb\"\nc", {{"a\r\nb", 1}, {"c", 3}}},
      {"quote inside an unquoted item is text", "a\"b,c", {{"a\"b", 1}, {"c", 1}}},
      {"blanks-only last line", "a\n  ", {{"a", 1}, {"", 2}}},
  };
  for (const Case& c : cases) {
    const std::vector<Seen> got = ReadAll(c.text);
    ASSERT_EQ(got.size(), c.expected.size()) << c.name;
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].text, c.expected[i].text) << c.name << " item " << i;
      EXPECT_EQ(got[i].line, c.expected[i].line) << c.name << " item " << i;
    }
  }
}

TEST(ItemReader, FlagsBlankLinesCommasAndUnclosedQuotes) {
  ItemReader reader("1,\n\n  \n\"\"\n\"open\nrest");
  Item a = reader.Next();
  EXPECT_TRUE(a.endedByComma);
  Item afterComma = reader.Next();  // empty, but not a line of its own
  EXPECT_FALSE(afterComma.blankLine);
  EXPECT_TRUE(reader.Next().blankLine);
  EXPECT_TRUE(reader.Next().blankLine);
  Item emptyQuoted = reader.Next();
  EXPECT_TRUE(emptyQuoted.quoted);
  EXPECT_FALSE(emptyQuoted.blankLine);
  Item open = reader.Next();
  EXPECT_TRUE(open.unclosedQuote);
  EXPECT_EQ(open.text, "open\nrest");
  EXPECT_TRUE(reader.AtEnd());
}

// Random bytes are the fuzzer's; these are the sizes and bytes it seldom builds.
TEST(ItemReader, ItemsStayWithinTheText) {
  for (const std::string& input : {std::string("a\0b,\0\n\0", 7), std::string(1 << 20, 'x'),
                                   std::string(1 << 20, '"'), std::string(1 << 20, '\r')}) {
    ItemReader reader(input);
    std::size_t items = 0;
    while (!reader.AtEnd()) {
      const Item item = reader.Next();
      ASSERT_GE(item.text.data(), input.data());
      ASSERT_LE(item.text.data() + item.text.size(), input.data() + input.size());
      ASSERT_LE(++items, input.size()) << "no progress";
    }
  }
}

}  // namespace
}  // namespace vx
