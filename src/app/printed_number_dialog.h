#pragma once
// The entry box of "Check Printed Number": the prompt, one line for the
// number printed on the card in hand, OK and Cancel. The line has the focus
// and Enter accepts, so a keyboard-wedge barcode scanner, which types the
// digits and then Enter, answers it without a hand on the keyboard.

#include <optional>
#include <string>

class QWidget;

// The text as typed; nullopt when cancelled.
std::optional<std::string> AskForPrintedNumber(QWidget* parent, const std::string& title, const std::string& prompt);
