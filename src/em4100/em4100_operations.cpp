#include "em4100/em4100_operations.h"

namespace vx {

// Placeholders until the EM4100 operations land.
void Command20_Click(Device&) {}
void Command21_Click(Device&) {}

}  // namespace vx
