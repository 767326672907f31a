#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "core/wide_text_windows.h"
#include "record/record_platform.h"

namespace vx::record_platform {

std::FILE* OpenForAppend(const std::string& path, bool create) {
  const int fd = ::_wopen(Wide(path).c_str(), _O_WRONLY | _O_APPEND | _O_BINARY | (create ? _O_CREAT : 0),
                          _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = ::_fdopen(fd, "ab");
  if (!file) {
    const int error = errno;
    ::_close(fd);
    errno = error;
  }
  return file;
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
