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

std::string ErrorText(int error) { return std::strerror(error); }

LocalTime LocalTimeOf(std::time_t seconds) {
  LocalTime local;
  ::localtime_r(&seconds, &local.fields);
  local.utcOffsetMinutes = static_cast<int>(local.fields.tm_gmtoff / 60);
  return local;
}

}  // namespace vx::record_platform
