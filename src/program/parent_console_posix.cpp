#include "program/parent_console.h"

namespace vx {

void UseParentConsole() {}

}  // namespace vx
