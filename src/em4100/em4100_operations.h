#pragma once
// Write Card and Read Card of the EM4100 tab.

#include "device/device_link.h"

namespace vx {

void Command20_Click(Device& dev);  // Write Card
void Command21_Click(Device& dev);  // Read Card

}  // namespace vx
