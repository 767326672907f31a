// The plural rule of a catalogue's header: the form each count takes in the
// rules languages use, and the rules that are refused rather than run.

#include "i18n/plural_rule.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vx {
namespace {

const std::string kRussian =
    "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);";

struct RuleRow {
  std::string forms;
  int count;                                     // nplurals
  std::vector<std::pair<std::uint64_t, int>> at;  // n, the form it takes
};

TEST(PluralRule, TheFormOfEachCount) {
  const RuleRow rows[] = {
      {"nplurals=2; plural=(n != 1);", 2, {{0, 1}, {1, 0}, {2, 1}, {1000001, 1}}},
      {"nplurals=2; plural=(n > 1);", 2, {{0, 0}, {1, 0}, {2, 1}}},
      {"nplurals=1; plural=0;", 1, {{0, 0}, {1, 0}, {77, 0}}},
      {kRussian, 3, {{1, 0}, {21, 0}, {11, 2}, {2, 1}, {24, 1}, {12, 2}, {5, 2}, {111, 2}, {101, 0}}},
      {"nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);", 3,
       {{1, 0}, {2, 1}, {4, 1}, {5, 2}, {12, 2}, {22, 1}, {25, 2}, {0, 2}}},
      // ?: groups to the right; && binds tighter than ||; ! and arithmetic.
      {"nplurals=4; plural=n==0 ? 0 : n==1 ? 1 : n<=5 ? 2 : 3;", 4, {{0, 0}, {1, 1}, {5, 2}, {6, 3}}},
      {"nplurals=2; plural=n==1 || n==2 && n==3;", 2, {{1, 1}, {2, 0}, {3, 0}}},
      {"nplurals=2; plural=!(n-1);", 2, {{1, 1}, {2, 0}}},
      {"nplurals=3; plural=n*2-1>3 ? 2 : n/2;", 3, {{1, 0}, {2, 1}, {3, 2}}},
      // A form beyond the count, and division by zero, come to the first form.
      {"nplurals=2; plural=n;", 2, {{1, 1}, {5, 0}}},
      {"nplurals=2; plural=n/0 + n%0;", 2, {{7, 0}}},
      // Blanks anywhere, and no closing semicolon.
      {"  nplurals = 2 ;plural= ( n!=1 )", 2, {{1, 0}, {3, 1}}},
  };
  for (const RuleRow& row : rows) {
    SCOPED_TRACE(row.forms);
    const auto rule = PluralRule::Parse(row.forms);
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->Forms(), row.count);
    for (const auto& [n, form] : row.at) EXPECT_EQ(rule->FormFor(n), form) << "n=" << n;
  }
}

std::string Repeated(const std::string& part, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += part;
  return text;
}

TEST(PluralRule, RefusesWhatIsNotARule) {
  const std::string refused[] = {
      "",
      "nplurals=2;",
      "plural=n != 1;",
      "nplurals=0; plural=0;",
      "nplurals=11; plural=0;",
      "nplurals=two; plural=0;",
      "nplurals=2; plural=;",
      "nplurals=2; plural=n !=;",
      "nplurals=2; plural=(n != 1;",
      "nplurals=2; plural=n != 1);",
      "nplurals=2; plural=n != 1 n;",
      "nplurals=2; plural=n ? 1;",
      "nplurals=2; plural=m;",
      "nplurals=2; plural=n < = 1;",
      "nplurals=2; plural=n = 1;",
      "nplurals=2; plural=-n;",
      "nplurals=2; plural=99999999999999999999;",
      "nplurals=2; plural=n != 1; plurals=3",
      "nplurals=2; plural=n != 1; junk",
      // Too deep or too long to be a language's rule.
      "nplurals=2; plural=" + Repeated("(", 60) + "n" + Repeated(")", 60) + ";",
      "nplurals=2; plural=" + Repeated("!", 60) + "n;",
      "nplurals=2; plural=" + Repeated("n?0:", 50) + "1;",
      "nplurals=2; plural=n" + Repeated("+n", 60) + ";",
      "nplurals=2; plural=" + Repeated("0", 401) + ";",
  };
  for (const std::string& forms : refused) {
    SCOPED_TRACE(forms);
    EXPECT_FALSE(PluralRule::Parse(forms));
  }
}

}  // namespace
}  // namespace vx
