#pragma once
// A window program on Windows has no console of its own: it prints into the
// one it was started from, if any, so --check-config and --help can be read.
// Elsewhere the program keeps the terminal it has.

namespace vx {

void UseParentConsole();

}  // namespace vx
