// What is shown of a connection text or a driver's message: every password
// as ***, and nothing else changed.

#include <gtest/gtest.h>

#include "store/store_connection.h"

namespace vx::test {
namespace {

TEST(MaskPasswords, EveryPasswordAndNothingElse) {
  struct Case {
    std::string text, shown;
  };
  const Case cases[] = {
      {"Driver={PostgreSQL Unicode};Server=db1;Uid=vx;Pwd=s3cret", "Driver={PostgreSQL Unicode};Server=db1;Uid=vx;Pwd=***"},
      {"DSN=cards;PASSWORD={a;b}}c};UID=desk", "DSN=cards;PASSWORD=***;UID=desk"},
      {"pwd = s3cret ;Server=db1", "pwd = ***;Server=db1"},
      {"Uid=pwdkeeper;MyPwd=1;Pwd=x;Password=y", "Uid=pwdkeeper;MyPwd=1;Pwd=***;Password=***"},
      {"Pwd={never closed;Server=db1", "Pwd=***"},
      {"connection 'Server=db1;PWD=top secret' failed\nnext line", "connection 'Server=db1;PWD=***\nnext line"},
      {"FATAL: password authentication failed for user \"vx\" (using password: YES)",
       "FATAL: password authentication failed for user \"vx\" (using password: YES)"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskPasswords(c.text), c.shown) << c.text;
}

}  // namespace
}  // namespace vx::test
