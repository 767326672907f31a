#pragma once
// --user-folder: the operator's own folder for the program, which the desktop
// menu starts it in. A launcher's current folder is not one the operator
// chose, and the program reads HID.cfg from its current folder; this gives it
// one the operator can find and edit.

#include <QString>

#include <string>

namespace vx {

// ~/.local/share/vandorix-programmer ($XDG_DATA_HOME when set), or
// %LOCALAPPDATA%\vandorix-programmer on Windows.
QString UserFolderPath();

// The sample HID.cfg installed with the program, found from the program's own
// folder so that the build tree and every install prefix work alike. Needs a
// QCoreApplication.
QString InstalledSamplePath();

// Makes `folder` if it is missing and copies `sample` into it as HID.cfg
// unless something named HID.cfg is there already: the operator's edited
// file is never replaced. Returns what went wrong, or an empty text.
std::string FillUserFolder(const QString& folder, const QString& sample);

// HID.cfg in UserFolderPath, written as the system writes paths.
std::string UserConfigPath();

// FillUserFolder on the two paths above, then makes the folder current.
std::string EnterUserFolder();

}  // namespace vx
