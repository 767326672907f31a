#include "program/parent_console.h"

#include <windows.h>

#include <cstdio>

namespace vx {

void UseParentConsole() {
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
  }
}

}  // namespace vx
