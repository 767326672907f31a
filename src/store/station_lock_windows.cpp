#include <windows.h>

#include <filesystem>
#include <system_error>

#include "platform/utf16_text.h"
#include "i18n/translate.h"
#include "store/station_lock.h"

namespace vx {

namespace {

class FileLock : public StationLock {
 public:
  explicit FileLock(HANDLE file) : file_(file) {}
  ~FileLock() override { ::CloseHandle(file_); }

 private:
  HANDLE file_;
};

std::string SystemText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words = length && text ? std::wstring(text, length) : L"error " + std::to_wstring(error);
  if (text) ::LocalFree(text);
  while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L'.'))
    words.pop_back();
  return Utf8(words);
}

}  // namespace

StationLockTry LockStationFile(const std::string& path) {
  const std::wstring wide = Wide(path);
  // The folder lies in the user's own profile, which only the user may open.
  std::error_code ignored;
  const std::filesystem::path folder = std::filesystem::path(wide).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  StationLockTry result;
  // Shared with no one: while it is open, every other open of the file fails.
  // A reparse point (a link) in the file's place is opened as itself, never followed.
  const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    result.inUse = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    result.reason = SystemText(error);
    return result;
  }
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    result.reason = Tr("it is not a regular file");
    return result;
  }
  result.lock = std::make_unique<FileLock>(file);
  return result;
}

}  // namespace vx
