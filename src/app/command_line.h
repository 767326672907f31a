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
  // Left out of the help, for making the documentation's pictures: click these
  // buttons (object names, e.g. Command12) in turn once the window is up, then
  // save a picture of the window to `screenshot` and exit.
  std::vector<std::string> clicks;      // --click NAME, repeatable
  std::optional<std::string> screenshot;  // --screenshot FILE
  std::string error;                    // what is wrong, for Action::Error
};

// `args` are the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText(const std::string& programName);

}  // namespace vx
