#include "app/user_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "i18n/text_format.h"
#include "i18n/translate.h"

#ifndef VX_SAMPLE_FROM_PROGRAM
#define VX_SAMPLE_FROM_PROGRAM "../share/vandorix-programmer/HID.cfg"
#endif

namespace vx {

namespace {

std::string Native(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

}  // namespace

QString UserFolderPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/vandorix-programmer";
}

std::string UserConfigPath() { return Native(UserFolderPath() + "/HID.cfg"); }

QString InstalledSamplePath() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + VX_SAMPLE_FROM_PROGRAM);
}

std::string FillUserFolder(const QString& folder, const QString& sample) {
  if (!QDir().mkpath(folder)) return Format(Tr("Cannot make the folder %s."), Native(folder));
  const QString config = QDir(folder).filePath("HID.cfg");
  const QFileInfo existing(config);
  // A broken link or a folder by that name is the operator's too: the
  // start-up reports it rather than this replacing it.
  if (existing.exists() || existing.isSymLink()) return {};
  if (!QFileInfo(sample).isFile()) {
    // TRANSLATORS: %s is the path where the sample should be.
    return Format(Tr("The sample HID.cfg that comes with the program is missing: %s."), Native(sample));
  }
  QFile::remove(config + ".part");
  // Copied under another name first, so that a copy cut short never passes
  // for the operator's file on the next start.
  if (!QFile::copy(sample, config + ".part") || !QFile::rename(config + ".part", config)) {
    QFile::remove(config + ".part");
    // TRANSLATORS: the sample HID.cfg's path, then the path of the operator's copy.
    return Format(Tr("Cannot copy the sample %s to %s."), Native(sample), Native(config));
  }
  // The installed sample is read-only for the operator; the copy is theirs to edit.
  QFile::setPermissions(config, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ReadOther);
  return {};
}

std::string EnterUserFolder() {
  const QString folder = UserFolderPath();
  if (std::string error = FillUserFolder(folder, InstalledSamplePath()); !error.empty()) return error;
  if (!QDir::setCurrent(folder)) return Format(Tr("Cannot enter the folder %s."), Native(folder));
  return {};
}

}  // namespace vx
