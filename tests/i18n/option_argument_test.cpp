#include <gtest/gtest.h>

#include "i18n/option_argument.h"

namespace vx::test {
namespace {

TEST(OptionArgument, ReadsEitherForm) {
  struct Case {
    std::vector<std::string> arguments;
    std::size_t at;
    bool matched, joined;
    std::optional<std::string> value;
    std::size_t next;
  };
  const Case cases[] = {
      {{"--port", "COM3", "x"}, 0, true, false, "COM3", 2},
      {{"x", "--port=COM3", "y"}, 1, true, true, "COM3", 2},
      {{"--port="}, 0, true, true, "", 1},
      {{"--port", ""}, 0, true, false, "", 2},
      {{"--port", "--json"}, 0, true, false, "--json", 2},  // a value may look like an option
      {{"x", "--port"}, 1, true, false, std::nullopt, 2},    // the last argument: no value
      {{"--ports", "COM3"}, 0, false, false, std::nullopt, 1},
      {{"--port:COM3"}, 0, false, false, std::nullopt, 1},
      {{"-port", "COM3"}, 0, false, false, std::nullopt, 1},
      {{"--port"}, 1, false, false, std::nullopt, 2},  // past the end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments[std::min(c.at, c.arguments.size() - 1)]);
    const OptionArgument read = ReadOption(c.arguments, c.at, "--port");
    EXPECT_EQ(read.matched, c.matched);
    EXPECT_EQ(read.joined, c.joined);
    EXPECT_EQ(read.value, c.value);
    EXPECT_EQ(read.next, c.next);
  }
}

}  // namespace
}  // namespace vx::test
