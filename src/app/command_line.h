#pragma once
// The program's command line. Without options the program opens its window.

#include <optional>
#include <string>
#include <vector>

namespace vx {

struct CommandLine {
  enum class Action { Run, CheckConfig, Help, Version, Error };
  Action action = Action::Run;
  std::optional<std::string> port;      // --port NAME: Combo1's text at start-up, as if typed
  std::string configFile = "HID.cfg";   // --check-config [FILE]
  std::optional<std::string> simulate;  // --simulate[=FAULTS]: the faults' names, empty for none
  // Left out of the help, for making the documentation's pictures: once the
  // window is up, take these steps in turn, then save a picture of the window
  // to `screenshot` and exit.
  struct Step {
    std::string control;              // object name: Command12, Text3 ...
    std::optional<std::string> text;  // typed into the box; none: the button is clicked
  };
  std::vector<Step> steps;                // --click NAME, --type NAME=TEXT; repeatable
  std::optional<std::string> screenshot;  // --screenshot FILE
  std::string error;                    // what is wrong, for Action::Error
};

// `args` are the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText(const std::string& programName);

}  // namespace vx
