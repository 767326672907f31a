#pragma once
// The entry box of "Check Printed Number": the prompt, one line for the
// number printed on the card in hand, OK and Cancel. The line has the focus
// and Enter presses OK, so a keyboard-wedge barcode scanner, which types the
// digits and then Enter, answers it without a hand on the keyboard.

#include <windows.h>

#include <optional>
#include <string>

namespace vx::win {

// The text as typed; nullopt when cancelled.
std::optional<std::string> AskForPrintedNumber(HINSTANCE instance, HWND owner, const std::string& title,
                                               const std::string& prompt);

}  // namespace vx::win
