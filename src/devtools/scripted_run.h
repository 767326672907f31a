#pragma once
// --click, --type and --screenshot: the window driven through a few steps as
// the operator would take them, then a picture of it saved. Makes the
// pictures of the documentation from the real program.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "devtools/window_script_command_line.h"

class Tesselmain;

namespace vx {

// Once the event loop runs: takes each step in turn (bringing the control's
// tab to the front first, as the operator must), prints the lines of the
// message list to stdout, then, if `screenshot` is
// given, saves the window's picture there and calls done(0); a step or a save
// that fails calls done(1) after a message on stderr. Message boxes would stop
// an unattended run: their texts go to stderr instead.
void StartScriptedRun(Tesselmain& window, std::vector<WindowScript::Step> steps,
                      std::optional<std::string> screenshot, std::function<void(int)> done);

}  // namespace vx
