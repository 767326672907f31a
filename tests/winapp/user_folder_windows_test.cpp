#include "winapp/user_folder_windows.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

namespace vx::win {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& content) {
  std::ofstream file(path, std::ios::binary);
  file << content;
}

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "<unreadable>";
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

bool ReadOnly(const fs::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

struct FolderCase {
  const char* name;
  const wchar_t* folderName;                          // under a fresh scratch folder; may need parents
  std::function<void(const fs::path& folder)> before;  // what the folder holds already
  bool sampleInstalled;
  const char* errorNames;                  // a part of the error, or nullptr for none
  std::optional<std::string> configAfter;  // HID.cfg's content afterwards; none: no file
};

TEST(UserFolderWindowsTest, FillsOnceAndNeverReplacesTheOperatorsFile) {
  const std::string sample = "HID26 WW=08 XX=16 YY=00 ZZ=00\r\n";
  const std::string edited = "# mine\r\nHID26 WW=10 XX=16 YY=00 ZZ=00\r\n";
  const auto nothing = [](const fs::path&) {};
  const auto holding = [](std::string content) {
    return [content](const fs::path& f) {
      fs::create_directories(f);
      Write(f / L"HID.cfg", content);
    };
  };
  const FolderCase cases[] = {
      {"first start: folder and its parents made, sample copied", L"AppData\\Local\\vandorix-programmer", nothing,
       true, nullptr, sample},
      {"a folder named outside ASCII", L"Zo\u00EB\\vandorix-programmer", nothing, true, nullptr, sample},
      {"edited file kept", L"vandorix-programmer", holding(edited), true, nullptr, edited},
      {"empty edited file kept", L"vandorix-programmer", holding(""), true, nullptr, ""},
      {"copy cut short last time is redone", L"vandorix-programmer",
       [](const fs::path& f) {
         fs::create_directories(f);
         Write(f / L"HID.cfg.part", "HID2");
       },
       true, nullptr, sample},
      {"sample missing", L"vandorix-programmer", nothing, false, "sample.cfg", std::nullopt},
      {"sample missing but the operator has a file", L"vandorix-programmer", holding(edited), false, nullptr, edited},
      {"a file where the folder should be", L"vandorix-programmer", [](const fs::path& f) { Write(f, "x"); }, true,
       "Cannot make the folder", std::nullopt},
  };
  int scratchNumber = 0;
  for (const FolderCase& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path root = fs::temp_directory_path() /
                          (L"vx-user-folder-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                           std::to_wstring(++scratchNumber));
    fs::remove_all(root);
    fs::create_directories(root);
    const fs::path folder = root / c.folderName;
    const fs::path samplePath = root / L"sample.cfg";
    if (c.sampleInstalled) {
      Write(samplePath, sample);
      // Installed read-only; the operator's copy must still be editable.
      SetFileAttributesW(samplePath.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    c.before(folder);

    const std::string error = FillUserFolder(folder.wstring(), samplePath.wstring());

    if (c.errorNames) {
      EXPECT_NE(error.find(c.errorNames), std::string::npos) << error;
    } else {
      EXPECT_EQ(error, "");
    }
    const fs::path config = folder / L"HID.cfg";
    if (c.configAfter) {
      EXPECT_EQ(Read(config), *c.configAfter);
      EXPECT_FALSE(ReadOnly(config));
    } else {
      EXPECT_FALSE(fs::is_regular_file(config));
    }
    EXPECT_FALSE(fs::exists(fs::path(config.wstring() + L".part")));

    SetFileAttributesW(samplePath.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
}

}  // namespace
}  // namespace vx::win
