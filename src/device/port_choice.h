#pragma once
// What the operator chose in the port box: the window reads it, the port's
// name is made from it.

#include <string>

namespace vx {

// Combo1 as the operator left it: a selected entry (0..15), or typed text.
struct PortChoice {
  int selectedIndex = 0;   // -1 when the text was typed rather than chosen
  std::string typedText;   // the combo's text (the entry's text when one is selected)
};

}  // namespace vx
