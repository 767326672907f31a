#pragma once
// Which port the operator chose in Combo1.

#include <optional>
#include <string>

#include "device/port_choice.h"

namespace vx {

enum class PortNaming { Windows, Posix };

// The naming of the platform this program was built for.
PortNaming NativePortNaming();

// A selected entry n (0..15) is COM(n+1) on Windows and /dev/ttyS(n) elsewhere.
// Typed text names a port when it is a number 1..16 (that entry's port), a
// device path (/dev/ttyUSB0, \\.\COM12) or a COM name (COM3, any case, which
// Windows naming spells in capitals); anything else names no port (nullopt).
// An entry of the system's ports ("/dev/ttyUSB0 — FT232R USB UART (FTDI)",
// chosen or its text typed out) names exactly that port.
std::optional<std::string> PortNameFor(const PortChoice& choice, PortNaming naming);

}  // namespace vx
