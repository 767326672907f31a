#pragma once
// --click and --screenshot: the window driven through a few clicks as the
// operator would make them, then a picture of it saved. Makes the pictures of
// the documentation from the real program.

#include <functional>
#include <optional>
#include <string>
#include <vector>

class Tesselmain;

namespace vx {

// Once the event loop runs: clicks each named button in turn (bringing its tab
// to the front first, as the operator must), then, if `screenshot` is given,
// saves the window's picture there and calls done(0), or done(1) after a
// message on stderr. Message boxes would stop an unattended run: their texts
// go to stderr instead.
void StartScriptedRun(Tesselmain& window, std::vector<std::string> clicks, std::optional<std::string> screenshot,
                      std::function<void(int)> done);

}  // namespace vx
