#pragma once
// --user-folder: the operator's own folder for the program, which the
// Start-menu entry starts it in. The program reads HID.cfg from its current
// folder; this gives it one the operator can find and edit:
// %LOCALAPPDATA%\vandorix-programmer.

#include <string>

namespace vx::win {

// The folder, or empty when the system names no local application-data folder.
std::wstring UserFolderPath();

// HID.cfg in UserFolderPath, in UTF-8.
std::string UserConfigPath();

// Makes `folder` if it is missing and copies `sample` into it as HID.cfg
// unless something named HID.cfg is there already: the operator's edited
// file is never replaced. Returns what went wrong, or an empty text.
std::string FillUserFolder(const std::wstring& folder, const std::wstring& sample);

// FillUserFolder with the HID.cfg installed beside the program, then makes
// the folder current.
std::string EnterUserFolder();

}  // namespace vx::win
