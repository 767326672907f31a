#include "operations/card_operations.h"

namespace vx {

// Placeholders until the card operations land.
void WriteHidCard(Device&, const TabSpec&) {}
void ReadHidCard(Device&, const TabSpec&) {}

}  // namespace vx
