#pragma once
// --user-folder: the operator's own folder for the program, which the menu
// entry starts it in. A launcher's current folder is not one the operator
// chose, and the program reads HID.cfg from its current folder; this gives it
// one the operator can find and edit. Each window says where the folder and
// the installed sample are; filling and entering the folder is the same for both.

#include <filesystem>
#include <string>

namespace vx {

// A path as the operator reads it: UTF-8, in the system's separators.
std::string PathText(const std::filesystem::path& path);

// Makes `folder` if it is missing and copies `sample` into it as HID.cfg
// unless something named HID.cfg is there already: the operator's edited
// file is never replaced. Returns what went wrong, or an empty text.
std::string FillUserFolder(const std::filesystem::path& folder, const std::filesystem::path& sample);

// FillUserFolder, then makes the folder current.
std::string EnterUserFolder(const std::filesystem::path& folder, const std::filesystem::path& sample);

// HID.cfg in `folder`, as PathText writes it.
std::string UserConfigPath(const std::filesystem::path& folder);

}  // namespace vx
