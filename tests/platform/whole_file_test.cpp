// A file written whole or not at all: what is in its place afterwards, and
// that nothing is left beside it.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/text_file.h"
#include "platform/whole_file.h"
#include "support/temp_file.h"

namespace vx {
namespace {

enum class InPlace { Absent, LongerFile, Folder, InMissingFolder };

struct WholeFileCase {
  const char* name;
  InPlace before;
  bool written;
};

const WholeFileCase kWholeFiles[] = {
    {"a new file", InPlace::Absent, true},
    {"a longer file replaced whole", InPlace::LongerFile, true},
    {"a folder is left as it is", InPlace::Folder, false},
    {"a folder that does not exist", InPlace::InMissingFolder, false},
};

TEST(WholeFile, WrittenWholeOrNotAtAll) {
  for (const WholeFileCase& c : kWholeFiles) {
    test::TempFile dir("an older and longer content\r\n", "old.csv");
    std::string path = dir.dir() + "/export.csv";
    switch (c.before) {
      case InPlace::Absent: break;
      case InPlace::LongerFile: path = dir.path(); break;
      case InPlace::Folder: std::filesystem::create_directory(path); break;
      case InPlace::InMissingFolder: path = dir.dir() + "/none/export.csv"; break;
    }
    const std::optional<std::string> problem = WriteWholeFile(path, "12,1000\r\n");
    EXPECT_EQ(!problem, c.written) << c.name << ": " << problem.value_or("");
    if (c.written) {
      EXPECT_EQ(ReadWholeFile(path), std::optional<std::string>("12,1000\r\n")) << c.name;
    }
    if (c.before == InPlace::Folder) {
      EXPECT_TRUE(std::filesystem::is_directory(path)) << c.name;
    }
    EXPECT_FALSE(std::filesystem::exists(path + ".part")) << c.name;
  }
}

}  // namespace
}  // namespace vx
