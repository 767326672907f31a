// The station's lock file is the user's own: made private, and never a link,
// FIFO or folder that someone put in its place.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "store/station_lock.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

TEST(StationLockPosix, TakesOnlyAFileOfItsOwn) {
  struct Case {
    const char* what;
    std::function<void(const std::string& lock, const std::string& elsewhere)> plant;
    bool taken;
  };
  const Case cases[] = {
      {"nothing there yet", [](const std::string&, const std::string&) {}, true},
      {"a link to a file elsewhere",
       [](const std::string& lock, const std::string& elsewhere) { ASSERT_EQ(::symlink(elsewhere.c_str(), lock.c_str()), 0); },
       false},
      {"a FIFO", [](const std::string& lock, const std::string&) { ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0); }, false},
      {"a folder", [](const std::string& lock, const std::string&) { std::filesystem::create_directory(lock); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFile folder("", "placeholder");
    const std::string userFolder = folder.dir() + "/vandorix-programmer";
    const std::string lock = StationLockPath(userFolder, "DESK-2");
    const std::string elsewhere = folder.dir() + "/elsewhere";
    // What is planted goes into the folder; with nothing planted, the lock makes it.
    if (!c.taken) {
      ASSERT_EQ(::mkdir(userFolder.c_str(), 0700), 0);
    }
    c.plant(lock, elsewhere);
    const StationLockTry result = LockStationFile(lock);
    EXPECT_EQ(result.lock != nullptr, c.taken) << result.reason;
    EXPECT_FALSE(result.inUse);
    EXPECT_FALSE(std::filesystem::exists(elsewhere));
    if (!c.taken) {
      EXPECT_FALSE(result.reason.empty());
      continue;
    }
    struct stat status {};
    ASSERT_EQ(::stat(lock.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(userFolder.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
  }
}

}  // namespace
}  // namespace vx::test
