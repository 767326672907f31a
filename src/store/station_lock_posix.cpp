#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "i18n/translate.h"
#include "platform/record_platform.h"
#include "store/station_lock.h"

namespace vx {

namespace {

class FileLock : public StationLock {
 public:
  explicit FileLock(int fd) : fd_(fd) {}
  ~FileLock() override { ::close(fd_); }  // closing the last descriptor releases the lock

 private:
  int fd_;
};

StationLockTry Failed(int error) {
  StationLockTry result;
  result.reason = record_platform::ErrorText(error);
  return result;
}

// The folder's parents as the system makes them; the folder itself for the
// user alone, since the journal beside the lock holds the cards written.
void MakeFolderOf(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) return;
  std::error_code ignored;
  if (folder.has_parent_path()) std::filesystem::create_directories(folder.parent_path(), ignored);
  ::mkdir(folder.c_str(), 0700);
}

}  // namespace

StationLockTry LockStationFile(const std::string& path) {
  MakeFolderOf(path);
  // O_NONBLOCK: a FIFO planted in the file's place must not hang the open.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
  if (fd < 0) return Failed(errno);
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    const int error = errno;
    ::close(fd);
    return Failed(error);
  }
  if (!S_ISREG(status.st_mode)) {
    ::close(fd);
    StationLockTry result;
    result.reason = Tr("it is not a regular file");
    return result;
  }
  // flock, not fcntl: its lock belongs to this open file, so a second
  // connection in the same process is refused as well, and closing any other
  // descriptor of the file leaves it held.
  int locked;
  do locked = ::flock(fd, LOCK_EX | LOCK_NB);
  while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    const int error = errno;
    ::close(fd);
    StationLockTry result = Failed(error);
    result.inUse = error == EWOULDBLOCK;
    return result;
  }
  StationLockTry result;
  result.lock = std::make_unique<FileLock>(fd);
  return result;
}

}  // namespace vx
