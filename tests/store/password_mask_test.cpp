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
      // A driver manager's echo, "}}" inside the brace; a password inside
      // another key's braces; a password of one letter; what follows a
      // closing brace.
      {"Driver={Nope;Pwd={se}}cr;et}", "Driver={Nope;Pwd=***"},
      {"Server=db1;pqopt={sslmode=require password=x};Uid=vx", "Server=db1;pqopt={sslmode=require password=***;Uid=vx"},
      {"PwD=x;Server=db1", "PwD=***;Server=db1"},
      {"Pwd={a}b;Server=db1", "Pwd=***;Server=db1"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskPasswords(c.text), c.shown) << c.text;
}

// A driver's message may repeat the password without its key: each one the
// connection gave is masked, a short one only where it stands alone.
TEST(MaskPasswords, TheConnectionsOwnPasswordsWhereverTheyShow) {
  struct Case {
    std::string text;
    std::vector<std::string> secrets;
    std::string shown;
  };
  const Case cases[] = {
      {"login hunter2 failed", {"hunter2"}, "login *** failed"},
      {"tab ab. (ab)", {"ab"}, "tab ***. (***)"},
      {"a", {"a"}, "***"},
      {"value {se}}cr} is bad", {"se}cr"}, "value {***} is bad"},
      {"nothing here", {""}, "nothing here"},
      // Many short passwords at once: each place is masked once, and a
      // mask is never masked again.
      {"* *", std::vector<std::string>(40, "*"), "*** ***"},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskPasswords(c.text, c.secrets), c.shown) << c.text;
}

}  // namespace
}  // namespace vx::test
