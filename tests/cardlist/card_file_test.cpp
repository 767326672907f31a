#include "cardlist/card_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/temp_file.h"

namespace vx {
namespace {

using Pairs = std::vector<std::pair<std::int32_t, double>>;

TEST(CardFile, AcceptsWellFormedFiles) {
  struct Case {
    const char* name;
    std::string text;
    Pairs expected;
  };
  const Case cases[] = {
      {"three lines", "5,100\n5,101\n5,102\n", {{5, 100}, {5, 101}, {5, 102}}},
      {"no final line end", "5,100\n5,101", {{5, 100}, {5, 101}}},
      {"CR-LF", "12,1001\r\n12,1002\r\n", {{12, 1001}, {12, 1002}}},
      {"lone CR", "1,2\r3,4", {{1, 2}, {3, 4}}},
      {"blank lines skipped", "\n1,2\n\n  \n\t\r\n3,4\n\n", {{1, 2}, {3, 4}}},
      {"blanks around values", "  7 ,\t8  \n", {{7, 8}}},
      {"pairs across line ends", "1\n2\n3,4,5,6", {{1, 2}, {3, 4}, {5, 6}}},
      {"double-quoted values", "\"9\",\" 10 \"\n", {{9, 10}}},
      {"negative values load", "-5,-7", {{-5, -7}}},
      {"plus sign and leading zeros", "+007,0001", {{7, 1}}},
      {"signed 32-bit limits", "-2147483648,0\n2147483647,1", {{INT32_MIN, 0}, {INT32_MAX, 1}}},
      {"card numbers up to 2^53", "1,4294967295\n1,9007199254740992",
       {{1, 4294967295.0}, {1, 9007199254740992.0}}},
      {"empty file", "", {}},
      {"only blank lines", "\r\n\r\n   \r\n", {}},
  };
  for (const Case& c : cases) {
    const CardFileResult result = ParseCardText(c.text, "cards.txt");
    ASSERT_FALSE(result.error) << c.name << ": " << result.error->Message();
    ASSERT_EQ(result.entries.size(), c.expected.size()) << c.name;
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_EQ(result.entries[i].facilityCode, c.expected[i].first) << c.name << " entry " << i;
      EXPECT_EQ(result.entries[i].cardNumber, c.expected[i].second) << c.name << " entry " << i;
    }
  }
}

TEST(CardFile, RefusesTheWholeFileNamingLineAndValue) {
  struct Case {
    const char* name;
    std::string text;
    int line;
    std::string value;
    std::string problemWord;
  };
  const Case cases[] = {
      {"letters", "5,100\n5,abc\n", 2, "abc", "whole decimal"},
      {"decimal fraction", "5,100.5", 1, "100.5", "whole decimal"},
      {"exponent", "5,1e3", 1, "1e3", "whole decimal"},
      {"hex", "0x10,1", 1, "0x10", "whole decimal"},
      {"sign alone", "-,1", 1, "-", "whole decimal"},
      {"blank inside a value", "5,10 0", 1, "10 0", "whole decimal"},
      {"empty value between commas", "5,,100", 1, "", "empty"},
      {"empty quoted value", "5,\"\"", 1, "", "empty"},
      {"comma before a line end", "5,100,\n6,7", 1, "", "empty"},
      {"comma at the end of the file", "5,100\n6,", 2, "", "comma"},
      {"facility code above 32 bits", "2147483648,1", 1, "2147483648", "range"},
      {"facility code below 32 bits", "-2147483649,1", 1, "-2147483649", "range"},
      {"facility code of many digits", "1" + std::string(500, '0') + ",1", 1,
       "1" + std::string(39, '0') + "...", "range"},
      {"card number past 2^53", "1,9007199254740993", 1, "9007199254740993", "large"},
      {"card number far past 2^53", "1,-99999999999999999999", 1, "-99999999999999999999", "large"},
      {"odd number of values", "5,100\n5\n", 2, "5", "odd"},
      {"unclosed quote", "5,100\n\"6,7\n8,9", 2, "6,7?8,9", "quote"},
      {"NUL byte in a value", std::string("5,1\0" "0", 5), 1, "1?0", "whole decimal"},
  };
  for (const Case& c : cases) {
    const CardFileResult result = ParseCardText(c.text, "cards.txt");
    ASSERT_TRUE(result.error) << c.name;
    EXPECT_TRUE(result.entries.empty()) << c.name << ": nothing half loaded";
    EXPECT_EQ(result.error->file, "cards.txt") << c.name;
    EXPECT_EQ(result.error->line, c.line) << c.name;
    EXPECT_EQ(result.error->value, c.value) << c.name;
    EXPECT_NE(result.error->problem.find(c.problemWord), std::string::npos) << c.name << ": "
                                                                           << result.error->problem;
    const std::string message = result.error->Message();
    EXPECT_NE(message.find("cards.txt"), std::string::npos) << message;
    EXPECT_NE(message.find("line " + std::to_string(c.line)), std::string::npos) << message;
  }
}

// A file that begins with the header "fc,cn,printed" holds three values a
// line, the printed number kept as written; any other file reads as pairs.
TEST(CardFile, ReadsPrintedNumbersAfterTheirHeader) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> printed;  // each entry's printed number, when the file loads
    int line = 0;                      // else the line at fault
    std::string value;
    std::string problemWord;
  };
  const Case cases[] = {
      {"header and lines", "fc,cn,printed\n12,1000,0004711\n12,1001,0004712\n", {"0004711", "0004712"}, 0, "", ""},
      {"header in capitals, blanks, CR-LF", " FC , Cn ,PRINTED \r\n12,1000, 7 \r\n\r\n", {"7"}, 0, "", ""},
      {"twenty digits", "fc,cn,printed\n1,2," + std::string(20, '9') + "\n", {std::string(20, '9')}, 0, "", ""},
      {"after a byte-order mark", "\xEF\xBB\xBF" "fc,cn,printed\n1,2,3", {"3"}, 0, "", ""},
      {"no header: pairs as ever", "12,1000,12,1001\n", {"", ""}, 0, "", ""},
      {"a header not first: a fault", "12,1000\nfc,cn,printed\n", {}, 2, "fc", "whole decimal"},
      {"two values a line", "fc,cn,printed\n12,1000\n12,1001,5\n", {}, 2, "1000", "early"},
      {"four values a line", "fc,cn,printed\n12,1000,5,6\n", {}, 2, "5", "three values"},
      {"letters", "fc,cn,printed\n12,1000,47a\n", {}, 2, "47a", "printed number"},
      {"a sign", "fc,cn,printed\n12,1000,-47\n", {}, 2, "-47", "printed number"},
      {"twenty-one digits", "fc,cn,printed\n12,1000," + std::string(21, '1') + "\n", {}, 2,
       std::string(21, '1'), "printed number"},
      {"empty printed number", "fc,cn,printed\n12,1000,\n", {}, 2, "", "empty"},
      {"bad card number named first", "fc,cn,printed\n12,x,1\n", {}, 2, "x", "whole decimal"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CardFileResult result = ParseCardText(c.text, "cards.txt");
    if (c.line == 0) {
      ASSERT_FALSE(result.error) << result.error->Message();
      ASSERT_EQ(result.entries.size(), c.printed.size());
      for (std::size_t i = 0; i < c.printed.size(); ++i) EXPECT_EQ(result.entries[i].printed, c.printed[i]);
      continue;
    }
    ASSERT_TRUE(result.error);
    EXPECT_TRUE(result.entries.empty());
    EXPECT_EQ(result.error->line, c.line);
    EXPECT_EQ(result.error->value, c.value);
    EXPECT_NE(result.error->problem.find(c.problemWord), std::string::npos) << result.error->problem;
  }
}

std::string PairsText(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "12," + std::to_string(1000 + i) + "\r\n";
  return text;
}

TEST(CardFile, HoldsAtMostTheListCapacityAndMegabyteLines) {
  const CardFileResult full = ParseCardText(PairsText(kCardListCapacity), "cards.txt");
  ASSERT_FALSE(full.error);
  EXPECT_EQ(full.entries.size(), static_cast<std::size_t>(kCardListCapacity));
  EXPECT_EQ(full.entries.back().cardNumber, 1000 + kCardListCapacity - 1);

  const CardFileResult over = ParseCardText(PairsText(kCardListCapacity + 1), "cards.txt");
  ASSERT_TRUE(over.error);
  EXPECT_TRUE(over.entries.empty());
  EXPECT_EQ(over.error->line, kCardListCapacity + 1);
  EXPECT_NE(over.error->problem.find("10001"), std::string::npos);

  EXPECT_TRUE(ParseCardText(std::string(1 << 20, '7'), "cards.txt").error);
  EXPECT_TRUE(ParseCardText(std::string(1 << 20, ','), "cards.txt").error);
  EXPECT_EQ(ParseCardText("1," + std::string(1 << 20, ' ') + "2", "cards.txt").entries.size(), 1u);
}

// Files that cannot be read are in the shared table of tests/platform/text_file_test.cpp.
TEST(CardFile, ReadsFromDiskWithOrWithoutAByteOrderMark) {
  for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
    const test::TempFile file(mark + "5,100\r\n5,101\n5,102", "cards.csv");
    const CardFileResult ok = ReadCardFile(file.path());
    ASSERT_FALSE(ok.error) << ok.error->Message();
    ASSERT_EQ(ok.entries.size(), 3u);
    EXPECT_EQ(ok.entries[0].facilityCode, 5);
  }
  // Only the very start may carry the mark; anywhere else it is no number.
  const CardFileResult inside = ParseCardText("5,100\n\xEF\xBB\xBF" "5,101\n", "cards.txt");
  ASSERT_TRUE(inside.error);
  EXPECT_EQ(inside.error->line, 2);
}

TEST(CardList, EntriesBecomePlainDecimalTexts) {
  struct Case {
    CardEntry entry;
    const char* fc;
    const char* cn;
  };
  const Case cases[] = {
      {{5, 100}, "5", "100"},
      {{-5, -7}, "-5", "-7"},
      {{0, 0}, "0", "0"},
      {{0, -0.0}, "0", "0"},
      {{INT32_MIN, 3456789012.0}, "-2147483648", "3456789012"},
      {{1, 9007199254740992.0}, "1", "9007199254740992"},
      {{1, 100.5}, "1", "100.5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FacilityCodeText(c.entry), c.fc);
    EXPECT_EQ(CardNumberText(c.entry), c.cn);
  }
}

}  // namespace
}  // namespace vx
