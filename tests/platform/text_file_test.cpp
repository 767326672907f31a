#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "cardlist/card_file.h"
#include "formats/format_table.h"
#include "support/temp_file.h"

namespace vx {
namespace {

// Both of the program's files go through the same checks: whatever cannot be
// one of them is refused before it is read, with the file and the reason named.
struct Reader {
  const char* name;
  std::uintmax_t maxBytes;
  std::function<std::string(const std::string& path)> refusal;  // the message, empty when read
};

const Reader kReaders[] = {
    {"card-number file", kCardFileMaxBytes,
     [](const std::string& path) {
       const CardFileResult r = ReadCardFile(path);
       return r.error ? r.error->Message() : std::string();
     }},
    {"format file", kFormatFileMaxBytes,
     [](const std::string& path) {
       const FormatFileResult r = ReadFormatFile(path);
       return r.error ? r.error->Message() : std::string();
     }},
};

TEST(TextFile, RefusesWhatCannotBeAProgramFileAndSaysWhy) {
  struct Case {
    const char* name;
    std::function<std::string(const test::TempFile&, std::uintmax_t maxBytes)> path;
    const char* reason;
  };
  const Case cases[] = {
      {"absent", [](const test::TempFile& f, std::uintmax_t) { return f.absent(); }, "does not exist"},
      {"folder", [](const test::TempFile& f, std::uintmax_t) { return f.dir(); }, "is a folder"},
      {"no name", [](const test::TempFile&, std::uintmax_t) { return std::string(); }, "no file name"},
      {"one byte too large",
       [](const test::TempFile& f, std::uintmax_t maxBytes) {
         std::filesystem::resize_file(f.path(), maxBytes + 1);
         return f.path();
       },
       "larger than"},
  };
  for (const Reader& reader : kReaders) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(reader.name) + ": " + c.name);
      const test::TempFile file("", "input.txt");
      const std::string path = c.path(file, reader.maxBytes);
      const std::string message = reader.refusal(path);
      EXPECT_NE(message.find(reader.name), std::string::npos) << message;
      EXPECT_NE(message.find("\"" + path + "\""), std::string::npos) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
  }
}

TEST(TextFile, ReadsAFileOfExactlyTheLimit) {
  const test::TempFile file("", "input.txt");
  std::filesystem::resize_file(file.path(), 4096);
  const TextFileResult r = ReadTextFile(file.path(), 4096, "a test file");
  ASSERT_TRUE(r.content) << r.problem;
  EXPECT_EQ(r.content->size(), 4096u);
  EXPECT_FALSE(ReadTextFile(file.path(), 4095, "a test file").content);
}

TEST(TextFile, OnlyALeadingByteOrderMarkIsDropped) {
  EXPECT_EQ(WithoutByteOrderMark("\xEF\xBB\xBF" "12,3"), "12,3");
  EXPECT_EQ(WithoutByteOrderMark("12,3\xEF\xBB\xBF"), "12,3\xEF\xBB\xBF");
  EXPECT_EQ(WithoutByteOrderMark("\xEF\xBB\xBF\xEF\xBB\xBF"), "\xEF\xBB\xBF");
  EXPECT_EQ(WithoutByteOrderMark("\xEF\xBB"), "\xEF\xBB");
  EXPECT_EQ(WithoutByteOrderMark(""), "");
}

}  // namespace
}  // namespace vx
