#include "app/user_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#ifndef VX_SAMPLE_FROM_PROGRAM
#define VX_SAMPLE_FROM_PROGRAM "../share/vandorix-programmer/HID.cfg"
#endif

namespace vx {

QString UserFolderPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/vandorix-programmer";
}

std::filesystem::path PathOf(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

std::string UserConfigPath() { return UserConfigPath(PathOf(UserFolderPath())); }

QString InstalledSamplePath() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + VX_SAMPLE_FROM_PROGRAM);
}

std::string EnterUserFolder() { return EnterUserFolder(PathOf(UserFolderPath()), PathOf(InstalledSamplePath())); }

}  // namespace vx
