#include "devtools/window_script_command_line.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

struct ScriptCase {
  std::vector<std::string> args;
  std::vector<WindowScript::Step> steps;
  std::optional<std::string> screenshot;
  std::vector<std::string> programArgs;
  bool fails = false;
};

TEST(WindowScriptTest, Parses) {
  const ScriptCase cases[] = {
      {{}, {}, std::nullopt, {}},
      {{"--simulate", "--type", "Text3=18", "--click", "Command12", "--type", "Text4=", "--screenshot", "w.png"},
       {{"Text3", "18"}, {"Command12", std::nullopt}, {"Text4", ""}},
       "w.png",
       {"--simulate"}},
      {{"--port", "/dev/pts/3", "--click", "Command4", "--user-folder"},
       {{"Command4", std::nullopt}},
       std::nullopt,
       {"--port", "/dev/pts/3", "--user-folder"}},
      {{"--type", "Text3=1=2"}, {{"Text3", "1=2"}}, std::nullopt, {}},
      {{"--click"}, {}, std::nullopt, {}, true},
      {{"--click", ""}, {}, std::nullopt, {}, true},
      {{"--type", "Text3"}, {}, std::nullopt, {}, true},
      {{"--type", "=18"}, {}, std::nullopt, {}, true},
      {{"--type"}, {}, std::nullopt, {}, true},
      {{"--screenshot"}, {}, std::nullopt, {}, true},
  };
  for (const ScriptCase& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + ' ';
    SCOPED_TRACE(joined);
    const WindowScript script = ParseWindowScript(c.args);
    EXPECT_EQ(!script.error.empty(), c.fails) << script.error;
    if (c.fails) continue;
    ASSERT_EQ(script.steps.size(), c.steps.size());
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      EXPECT_EQ(script.steps[i].control, c.steps[i].control);
      EXPECT_EQ(script.steps[i].text, c.steps[i].text);
    }
    EXPECT_EQ(script.screenshot, c.screenshot);
    EXPECT_EQ(script.programArgs, c.programArgs);
  }
}

}  // namespace
}  // namespace vx
