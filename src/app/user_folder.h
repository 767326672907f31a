#pragma once
// Where the Qt window's --user-folder is (program/user_folder.h fills and
// enters it): ~/.local/share/vandorix-programmer ($XDG_DATA_HOME when set),
// and the sample HID.cfg installed with the program.

#include <QString>

#include <filesystem>
#include <string>

#include "program/user_folder.h"

namespace vx {

QString UserFolderPath();

// The sample HID.cfg installed with the program, found from the program's own
// folder so that the build tree and every install prefix work alike. Needs a
// QCoreApplication.
QString InstalledSamplePath();

std::filesystem::path PathOf(const QString& path);

// HID.cfg in UserFolderPath, written as the system writes paths.
std::string UserConfigPath();

// FillUserFolder on the two paths above, then makes the folder current.
std::string EnterUserFolder();

}  // namespace vx
