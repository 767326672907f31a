#pragma once
// Where the Windows window's --user-folder is (program/user_folder.h fills
// and enters it): %LOCALAPPDATA%\vandorix-programmer, and the sample HID.cfg
// installed beside the program.

#include <string>

#include "program/user_folder.h"

namespace vx::win {

// The folder, or empty when the system names no local application-data folder.
std::wstring UserFolderPath();

// HID.cfg in UserFolderPath, in UTF-8.
std::string UserConfigPath();

// FillUserFolder with the HID.cfg installed beside the program, then makes
// the folder current.
std::string EnterUserFolder();

}  // namespace vx::win
