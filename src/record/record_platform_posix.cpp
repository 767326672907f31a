#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "record/record_platform.h"

namespace vx::record_platform {

std::FILE* OpenForAppend(const std::string& path, bool create) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "ab");
  if (!file) {
    const int error = errno;
    ::close(fd);
    errno = error;
  }
  return file;
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
