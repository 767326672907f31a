// Pipes and devices, which exist as files only on POSIX systems.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "cardlist/card_file.h"
#include "formats/format_table.h"
#include "support/temp_file.h"

namespace vx {
namespace {

std::string CardFileRefusal(const std::string& path) {
  const CardFileResult r = ReadCardFile(path);
  return r.error ? r.error->Message() : std::string();
}

std::string FormatFileRefusal(const std::string& path) {
  const FormatFileResult r = ReadFormatFile(path);
  return r.error ? r.error->Message() : std::string();
}

// Opening a pipe with no writer would wait forever and /dev/zero never ends:
// both are refused at once, unopened.
TEST(TextFilePosix, PipesAndDevicesAreRefusedUnread) {
  const test::TempFile dir("", "unused");
  const std::string fifo = dir.dir() + "/HID.cfg";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    for (const auto& refusal : {&CardFileRefusal, &FormatFileRefusal}) {
      const std::string message = refusal(path);
      EXPECT_NE(message.find("not a regular file"), std::string::npos) << message;
      EXPECT_NE(message.find(path), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace vx
