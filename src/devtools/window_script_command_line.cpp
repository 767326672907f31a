#include "devtools/window_script_command_line.h"

namespace vx {

WindowScript ParseWindowScript(const std::vector<std::string>& args) {
  WindowScript script;
  const auto fail = [&script](std::string error) {
    script.error = std::move(error);
    return script;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasNext = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      script.help = true;
    } else if (arg == "--click") {
      if (!hasNext || args[i + 1].empty()) return fail("--click needs a button's name, e.g. --click Command12");
      script.steps.push_back({args[++i], std::nullopt});
    } else if (arg == "--type") {
      const std::size_t equals = hasNext ? args[i + 1].find('=') : std::string::npos;
      if (equals == std::string::npos || equals == 0) {
        return fail("--type needs a box and a text, e.g. --type Text3=18");
      }
      const std::string& step = args[++i];
      script.steps.push_back({step.substr(0, equals), step.substr(equals + 1)});
    } else if (arg == "--screenshot") {
      if (!hasNext || args[i + 1].empty()) return fail("--screenshot needs a file name, e.g. --screenshot window.png");
      script.screenshot = args[++i];
    } else {
      script.programArgs.push_back(arg);
    }
  }
  return script;
}

std::string WindowScriptUsage() {
  return "Usage: vx-window-script [steps] [--screenshot FILE] [program options]\n"
         "Developer tool, not installed: opens the program's window in the current folder, takes\n"
         "the steps in order as the operator would, prints the message list, then saves a picture\n"
         "of the window to FILE and exits (without --screenshot the window stays open).\n"
         "\n"
         "Steps:\n"
         "  --click NAME       click the button NAME (Command12 is Link, Command4 Write Card on\n"
         "                     the HID  WG26 tab ...), bringing its tab to the front first\n"
         "  --type NAME=TEXT   type TEXT into the box NAME (Text1 ... Text19), a key at a time\n"
         "\n"
         "Every other option is the program's own: --simulate[=FAULTS], --port NAME,\n"
         "--user-folder. Message boxes are printed on stderr instead of stopping the run.\n";
}

}  // namespace vx
