#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/record_platform.h"

namespace vx::record_platform {

namespace {

PathKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return PathKind::Regular;
  if (S_ISDIR(mode)) return PathKind::Folder;
  if (S_ISLNK(mode)) return PathKind::Link;
  return PathKind::Other;
}

// Closes `fd`, keeping the errno that made it go.
std::nullptr_t Drop(int fd) {
  const int error = errno;
  ::close(fd);
  errno = error;
  return nullptr;
}

// The file behind `fd`, opened with O_NONBLOCK so that a pipe never waited,
// must be a regular file; it then blocks as files do.
bool KeepOnlyRegular(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return false;
  if (!S_ISREG(st.st_mode)) {
    errno = EINVAL;
    return false;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

bool MakePrivate(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return false;
  return (st.st_mode & 077) == 0 || ::fchmod(fd, st.st_mode & 0700) == 0;
}

std::FILE* Adopt(int fd, const char* mode) {
  std::FILE* file = ::fdopen(fd, mode);
  return file ? file : Drop(fd);
}

}  // namespace

PathKind KindAt(const std::string& path, bool followLink) {
  struct stat st {};
  if ((followLink ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0)
    return errno == ENOENT || errno == ENOTDIR ? PathKind::Absent : PathKind::Unknown;
  return KindOfMode(st.st_mode);
}

std::FILE* OpenForAppend(const std::string& path, const OpenRules& rules) {
  const int flags = O_RDWR | O_APPEND | O_CLOEXEC | O_NONBLOCK | (rules.create ? O_CREAT : 0) |
                    (rules.refuseLink ? O_NOFOLLOW : 0);
  const int fd = ::open(path.c_str(), flags, rules.privateFile ? 0600 : 0644);
  if (fd < 0) return nullptr;
  if (!KeepOnlyRegular(fd) || (rules.privateFile && !MakePrivate(fd))) return Drop(fd);
  return Adopt(fd, "a+b");
}

std::FILE* OpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (fd < 0) return nullptr;
  if (!KeepOnlyRegular(fd)) return Drop(fd);
  return Adopt(fd, "rb");
}

bool MakePrivateFolder(const std::string& folder) {
  const std::filesystem::path parent = std::filesystem::path(folder).parent_path();
  std::error_code ec;
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  if (ec) {
    errno = ec.value();
    return false;
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode)) {
    errno = ENOTDIR;
    return false;
  }
  return (st.st_mode & 077) == 0 || ::chmod(folder.c_str(), st.st_mode & 0700) == 0;
}

bool SyncToDisk(std::FILE* file) { return ::fsync(::fileno(file)) == 0; }

bool SyncFolderOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  // A file system that cannot sync a folder (EINVAL) keeps no names to lose.
  const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
  const int error = errno;
  ::close(fd);
  errno = error;
  return synced;
}

std::string ErrorText(int error) { return std::strerror(error); }

LocalTime LocalTimeOf(std::time_t seconds) {
  LocalTime local;
  ::localtime_r(&seconds, &local.fields);
  local.utcOffsetMinutes = static_cast<int>(local.fields.tm_gmtoff / 60);
  return local;
}

}  // namespace vx::record_platform
