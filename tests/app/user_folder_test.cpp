#include "app/user_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace vx {
namespace {

void Write(const QString& path, const QByteArray& content) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct FolderCase {
  const char* name;
  std::function<void(const QString& folder)> before;  // what the folder holds already
  bool sampleInstalled;
  const char* errorNames;                 // a part of the error, or nullptr for none
  std::optional<QByteArray> configAfter;  // HID.cfg's content afterwards; none: no file
};

TEST(UserFolderTest, FillsOnceAndNeverReplacesTheOperatorsFile) {
  const QByteArray sample = "HID26 WW=08 XX=16 YY=00 ZZ=00\n";
  const QByteArray edited = "# mine\nHID26 WW=10 XX=16 YY=00 ZZ=00\n";
  const auto nothing = [](const QString&) {};
  const FolderCase cases[] = {
      {"first start: folder made, sample copied", nothing, true, nullptr, sample},
      {"edited file kept",
       [&](const QString& f) { QDir().mkpath(f); Write(f + "/HID.cfg", edited); }, true, nullptr, edited},
      {"empty edited file kept", [&](const QString& f) { QDir().mkpath(f); Write(f + "/HID.cfg", ""); }, true,
       nullptr, QByteArray()},
      {"copy cut short last time is redone",
       [&](const QString& f) { QDir().mkpath(f); Write(f + "/HID.cfg.part", "HID2"); }, true, nullptr, sample},
      {"sample missing", nothing, false, "sample.cfg", std::nullopt},
      {"sample missing but the operator has a file",
       [&](const QString& f) { QDir().mkpath(f); Write(f + "/HID.cfg", edited); }, false, nullptr, edited},
      {"a file where the folder should be", [&](const QString& f) { Write(f, "x"); }, true, "Cannot make the folder",
       std::nullopt},
  };
  for (const FolderCase& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir root;
    const QString folder = root.filePath("data/vandorix-programmer");
    QDir().mkpath(root.filePath("data"));
    const QString samplePath = root.filePath("sample.cfg");
    if (c.sampleInstalled) {
      Write(samplePath, sample);
      // Installed read-only; the operator's copy must still be editable.
      QFile::setPermissions(samplePath, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    c.before(folder);

    const std::string error = FillUserFolder(PathOf(folder), PathOf(samplePath));

    if (c.errorNames) {
      EXPECT_NE(error.find(c.errorNames), std::string::npos) << error;
    } else {
      EXPECT_EQ(error, "");
    }
    const QString config = folder + "/HID.cfg";
    if (c.configAfter) {
      EXPECT_EQ(Read(config), *c.configAfter);
      EXPECT_TRUE(QFileInfo(config).isWritable());
    } else {
      EXPECT_FALSE(QFileInfo::exists(config));
    }
    EXPECT_FALSE(QFileInfo::exists(config + ".part"));
  }
}

}  // namespace
}  // namespace vx
