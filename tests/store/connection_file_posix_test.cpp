// A connection file holds a password: one that the file's group or other
// users could read is refused, saying how to make it private.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "store_odbc/connection_text.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

TEST(ConnectionFile, OnlyAPrivateOneIsRead) {
  struct Case {
    mode_t mode;
    bool taken;
  };
  const Case cases[] = {{0600, true}, {0400, true}, {0640, false}, {0604, false}, {0620, false}};
  for (const Case& c : cases) {
    TempFile file("Driver={PostgreSQL Unicode}\nServer=db1\nPwd=s3cret\n", "db.txt");
    ASSERT_EQ(::chmod(file.path().c_str(), c.mode), 0);
    odbc::ConnectionText text;
    const std::optional<std::string> problem = odbc::ResolveConnection("@" + file.path(), text);
    EXPECT_EQ(!problem, c.taken) << std::oct << c.mode;
    if (problem) {
      EXPECT_NE(problem->find("chmod 600 " + file.path()), std::string::npos) << *problem;
    } else {
      EXPECT_EQ(text.secrets, std::vector<std::string>{"s3cret"});
    }
  }
}

}  // namespace
}  // namespace vx::test
