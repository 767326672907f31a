#include "winapp/user_folder_windows.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

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

}  // namespace

std::wstring UserFolderPath() {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder.empty() ? folder : folder + L"\\" + kFolderName;
}

std::string UserConfigPath() { return vx::UserConfigPath(UserFolderPath()); }

std::string EnterUserFolder() { return vx::EnterUserFolder(UserFolderPath(), ProgramFolder() + L"\\HID.cfg"); }

}  // namespace vx::win
