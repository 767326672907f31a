#pragma once
// The text of a dialog's control, whatever its length.

#include <windows.h>

#include <string>

namespace vx::win {

std::wstring DialogItemText(HWND dialog, int id);

}  // namespace vx::win
