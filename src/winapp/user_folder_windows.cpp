#include "winapp/user_folder_windows.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

#include "platform/utf16_text.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx::win {

namespace {

constexpr wchar_t kFolderName[] = L"vandorix-programmer";

std::wstring ProgramFolder() {
  std::vector<wchar_t> path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  std::wstring program(path.data(), length);
  const std::size_t slash = program.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : program.substr(0, slash);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring UserFolderPath() {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder.empty() ? folder : folder + L"\\" + kFolderName;
}

std::string UserConfigPath() { return Utf8(UserFolderPath() + L"\\HID.cfg"); }

std::string FillUserFolder(const std::wstring& folder, const std::wstring& sample) {
  // SHCreateDirectoryExW makes the missing parents too.
  if (!folder.empty() && !IsFolder(folder)) SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  // TRANSLATORS: %s is the folder, in full.
  if (folder.empty() || !IsFolder(folder)) return Format(Tr("Cannot make the folder %s."), Utf8(folder));
  const std::wstring config = folder + L"\\HID.cfg";
  // Whatever is there by that name is the operator's: the start-up reports
  // it if it is no format file, rather than this replacing it.
  if (Exists(config)) return {};
  const DWORD sampleAttributes = GetFileAttributesW(sample.c_str());
  if (sampleAttributes == INVALID_FILE_ATTRIBUTES || (sampleAttributes & FILE_ATTRIBUTE_DIRECTORY))
    // TRANSLATORS: %s is where the sample should be, in full. HID.cfg is a file name.
    return Format(Tr("The sample HID.cfg that comes with the program is missing: %s."), Utf8(sample));
  // Copied under another name first, so that a copy cut short never passes
  // for the operator's file on the next start.
  const std::wstring part = config + L".part";
  DeleteFileW(part.c_str());
  if (!CopyFileW(sample.c_str(), part.c_str(), FALSE) || !MoveFileExW(part.c_str(), config.c_str(), 0)) {
    DeleteFileW(part.c_str());
    // TRANSLATORS: %1$s is the sample file, %2$s the file it is copied to.
    return Format(Tr("Cannot copy the sample %1$s to %2$s."), Utf8(sample), Utf8(config));
  }
  // The installed sample is read-only; the copy is the operator's to edit.
  const DWORD copied = GetFileAttributesW(config.c_str());
  if (copied != INVALID_FILE_ATTRIBUTES && (copied & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(config.c_str(), copied & ~FILE_ATTRIBUTE_READONLY);
  return {};
}

std::string EnterUserFolder() {
  const std::wstring folder = UserFolderPath();
  if (std::string error = FillUserFolder(folder, ProgramFolder() + L"\\HID.cfg"); !error.empty()) return error;
  // TRANSLATORS: %s is the folder, in full.
  if (!SetCurrentDirectoryW(folder.c_str())) return Format(Tr("Cannot enter the folder %s."), Utf8(folder));
  return {};
}

}  // namespace vx::win
