#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/utf16_text.h"
#include "platform/record_platform.h"
#include "platform/utf8_path.h"

namespace vx::record_platform {

namespace {

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_CANT_ACCESS_FILE:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    default:
      return EIO;
  }
}

std::nullptr_t Fail(HANDLE handle, int error) {
  if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  errno = error;
  return nullptr;
}

// Opens a regular file on a disk, never a pipe, a device or a folder (a
// pipe's or a device's handle is not FILE_TYPE_DISK). A reparse point in its
// place (a symbolic link, a junction) is opened as itself with `refuseLink`,
// and refused.
std::FILE* OpenRegular(const std::string& path, DWORD access, DWORD disposition, bool refuseLink, int crtFlags,
                       const char* mode) {
  const DWORD flags = FILE_ATTRIBUTE_NORMAL | (refuseLink ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
  HANDLE handle = ::CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Fail(handle, ErrnoOf(::GetLastError()));
  if (::GetFileType(handle) != FILE_TYPE_DISK) return Fail(handle, EINVAL);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return Fail(handle, ErrnoOf(::GetLastError()));
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(handle, EINVAL);
  if (refuseLink && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return Fail(handle, EACCES);
  const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(handle), crtFlags);
  if (fd < 0) return Fail(handle, EIO);
  std::FILE* file = ::_fdopen(fd, mode);
  if (!file) {
    const int error = errno;
    ::_close(fd);
    errno = error;
  }
  return file;
}

}  // namespace

PathKind KindAt(const std::string& path, bool followLink) {
  const std::wstring wide = Wide(path);
  DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return PathKind::Absent;
    errno = ErrnoOf(error);
    return PathKind::Unknown;
  }
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    if (!followLink) return PathKind::Link;
    // What the link names.
    HANDLE handle = ::CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return PathKind::Absent;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool looked = ::GetFileInformationByHandle(handle, &info);
    ::CloseHandle(handle);
    if (!looked) return PathKind::Unknown;
    attributes = info.dwFileAttributes;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Folder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return PathKind::Other;
  return PathKind::Regular;
}

std::FILE* OpenForAppend(const std::string& path, const OpenRules& rules) {
  // The user's own folder keeps its files to the user: a private file needs
  // nothing more than the folder's rights it inherits.
  return OpenRegular(path, GENERIC_READ | GENERIC_WRITE, rules.create ? OPEN_ALWAYS : OPEN_EXISTING,
                     rules.refuseLink, _O_RDWR | _O_APPEND | _O_BINARY, "a+b");
}

std::FILE* OpenForReading(const std::string& path) {
  return OpenRegular(path, GENERIC_READ, OPEN_EXISTING, true, _O_RDONLY | _O_BINARY, "rb");
}

bool MakePrivateFolder(const std::string& folder) {
  std::error_code ec;
  const std::filesystem::path fsFolder = PathOfUtf8(folder);
  std::filesystem::create_directories(fsFolder, ec);
  const bool folderThere = !ec && std::filesystem::is_directory(fsFolder, ec);
  if (ec) errno = ErrnoOf(static_cast<DWORD>(ec.value()));
  else if (!folderThere) errno = ENOTDIR;
  return folderThere;
}

bool SyncToDisk(std::FILE* file) { return ::_commit(::_fileno(file)) == 0; }

// Windows offers no call that syncs a folder; the file itself is committed
// with every line.
bool SyncFolderOf(const std::string&) { return true; }

std::string ErrorText(int error) {
  char text[256] = {};
  strerror_s(text, sizeof text, error);
  return text;
}

LocalTime LocalTimeOf(std::time_t seconds) {
  LocalTime local;
  ::localtime_s(&local.fields, &seconds);
  // The local fields read as if they were UTC, less the real instant, is the
  // offset in force then, daylight saving included.
  std::tm copy = local.fields;
  const std::time_t asUtc = ::_mkgmtime(&copy);
  local.utcOffsetMinutes = static_cast<int>((asUtc - seconds) / 60);
  return local;
}

}  // namespace vx::record_platform
