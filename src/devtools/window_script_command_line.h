#pragma once
// vx-window-script's command line: the steps to take in the window and the
// picture to save, with every other argument left for the program's own
// command line (--simulate, --port ...).

#include <optional>
#include <string>
#include <vector>

namespace vx {

struct WindowScript {
  struct Step {
    std::string control;              // object name: Command12, Text3 ...
    std::optional<std::string> text;  // typed into the box; none: the button is clicked
  };
  std::vector<Step> steps;                // --click NAME, --type NAME=TEXT; repeatable, in order
  std::optional<std::string> screenshot;  // --screenshot FILE
  std::vector<std::string> programArgs;   // the rest, in order
  bool help = false;                      // --help
  std::string error;                      // what is wrong; empty when all is well
};

// `args` are the arguments after the tool's name.
WindowScript ParseWindowScript(const std::vector<std::string>& args);

std::string WindowScriptUsage();

}  // namespace vx
