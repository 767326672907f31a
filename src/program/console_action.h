#pragma once
// What the program does without opening its window: a usage fault, --help,
// --version, --check-config and --list-ports. Both windows' programs run it
// first, so their command lines cannot drift apart.

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "program/command_line.h"

namespace vx {

// The exit code of an action done on the console; nullopt when the window is
// to open. `enterUserFolder` makes and enters the operator's folder for
// --user-folder and returns what went wrong, or an empty text.
std::optional<int> RunConsoleAction(const CommandLine& commandLine, const std::string& program,
                                    const std::string& version, const std::function<std::string()>& enterUserFolder,
                                    std::ostream& out, std::ostream& err);

}  // namespace vx
