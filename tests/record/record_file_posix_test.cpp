// The record named as a pipe or a device: refused at once with a reason, at
// the start and at every line, where opening one would wait for a reader for
// ever or write cards into a device.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>

#include "record/record_file.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

TEST(RecordFilePosix, APipeOrADeviceIsRefusedAtOnce) {
  struct Case {
    const char* name;
    bool fifo;         // else /dev/null
    bool afterStart;   // put in the record's place after StartRecord: the next line is refused
  };
  const Case cases[] = {
      {"a FIFO", true, false},
      {"a device", false, false},
      {"a FIFO in the record's place since it was started", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFile dir("");
    std::string path = dir.dir() + "/record.csv";
    if (c.afterStart) {
      ASSERT_EQ(StartRecord(path), std::nullopt);
    }
    if (c.fifo) {
      std::filesystem::remove(path);
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else {
      path = "/dev/null";
    }
    RecordLine line;
    line.outcome = "written";
    auto refusal = std::async(std::launch::async, [&] {
      return c.afterStart ? AppendRecordLine(path, line) : StartRecord(path);
    });
    const bool atOnce = refusal.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    // A writer left waiting is let go by a reader, so the test can end.
    if (!atOnce) ::close(::open(path.c_str(), O_RDONLY | O_NONBLOCK));
    ASSERT_TRUE(atOnce) << "waited on it";
    const std::optional<RecordError> error = refusal.get();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->path, path);
    EXPECT_NE(error->reason.find("not a regular file"), std::string::npos) << error->reason;
  }
}

}  // namespace
}  // namespace vx::test
