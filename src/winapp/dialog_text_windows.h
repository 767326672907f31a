#pragma once
// The texts of a dialog's controls.

#include <windows.h>

#include <string>

namespace vx::win {

// The text of a control, whatever its length.
std::wstring DialogItemText(HWND dialog, int id);

// The captions of the dialog's OK and Cancel buttons, in the operator's language.
void PutOkCancelCaptions(HWND dialog);

}  // namespace vx::win
