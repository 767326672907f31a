// The one reader of connection strings, and the dialogs' password joined to
// a connection so that the reader gives it back whole.

#include <gtest/gtest.h>

#include "store/connection_string.h"

namespace vx::test {
namespace {

TEST(ConnectionAttributes, BracesBlanksAndEmptyParts) {
  struct Case {
    std::string text;
    std::vector<std::pair<std::string, std::string>> attributes;
  };
  const Case cases[] = {
      {"Driver={PostgreSQL Unicode};Server= db1 ;Uid=vx",
       {{"Driver", "PostgreSQL Unicode"}, {"Server", "db1"}, {"Uid", "vx"}}},
      // "}}" is one brace; a ";" inside braces is the value's; what follows
      // the closing brace up to the next ";" belongs to no key.
      {"Pwd={a;b}}c}junk;;Uid=vx", {{"Pwd", "a;b}c"}, {"Uid", "vx"}}},
      {"pqopt={password=x};DSN=cards", {{"pqopt", "password=x"}, {"DSN", "cards"}}},
      {"Pwd={never closed;Uid=vx", {{"Pwd", "never closed;Uid=vx"}}},
      {"no equals;Server=db1;", {{"Server", "db1"}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<std::string, std::string>> got;
    for (const ConnectionAttribute& a : ConnectionAttributes(c.text)) got.emplace_back(a.key, a.value);
    EXPECT_EQ(got, c.attributes) << c.text;
  }
}

TEST(WithPassword, ThePasswordComesBackWhole) {
  struct Case {
    std::string connection, password, joined;
  };
  const Case cases[] = {
      {"Driver={PostgreSQL Unicode};Server=db1;Uid=vx", "s3cret", "Driver={PostgreSQL Unicode};Server=db1;Uid=vx;PWD={s3cret}"},
      {"cards", "x", "DSN=cards;PWD={x}"},  // a data source's name stays one
      {"DSN=cards;", "a;b}c{", "DSN=cards;PWD={a;b}}c{}"},
      {"DSN=cards", "", "DSN=cards"},
  };
  for (const Case& c : cases) {
    const std::string joined = WithPassword(c.connection, c.password);
    EXPECT_EQ(joined, c.joined);
    if (c.password.empty()) continue;
    const std::vector<ConnectionAttribute> attributes = ConnectionAttributes(joined);
    ASSERT_FALSE(attributes.empty());
    EXPECT_TRUE(IsPasswordKey(attributes.back().key));
    EXPECT_EQ(attributes.back().value, c.password);
  }
}

}  // namespace
}  // namespace vx::test
