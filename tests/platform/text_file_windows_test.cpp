// Files named the ways Windows names them: drive letters, backslashes, the
// forward slashes of the file dialog, names outside ASCII; written with CR-LF.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "cardlist/card_file.h"
#include "formats/format_table.h"
#include "platform/text_file.h"
#include "support/temp_file.h"

namespace vx {
namespace {

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::filesystem::path FromUtf8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

// The same file, spelt every way an operator or a dialog may hand it over.
std::vector<std::string> SpellingsOf(const std::string& path) {
  std::string forward = path;
  std::replace(forward.begin(), forward.end(), '\\', '/');
  std::string lowerDrive = path;
  lowerDrive[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lowerDrive[0])));
  std::string doubled = path;
  doubled.insert(path.find_last_of('\\'), "\\");
  return {path, forward, lowerDrive, doubled, "\\\\?\\" + path};
}

TEST(WindowsFiles, EverySpellingOfAPathReadsTheSameBytes) {
  const std::string content = "12,1001\r\n12,1002\r\n";
  const test::TempFile file(content, "cards.csv");
  ASSERT_TRUE(file.path().size() > 3 && file.path()[1] == ':' && file.path()[2] == '\\') << file.path();
  for (const std::string& spelling : SpellingsOf(file.path())) {
    SCOPED_TRACE(spelling);
    EXPECT_EQ(ReadTextFile(spelling, 1024, "a test file").content, content);  // CR-LF kept as written
    const CardFileResult cards = ReadCardFile(spelling);
    ASSERT_FALSE(cards.error) << cards.error->Message();
    ASSERT_EQ(cards.entries.size(), 2u);
    EXPECT_EQ(cards.entries[1].facilityCode, 12);
    EXPECT_EQ(cards.entries[1].cardNumber, 1002);
  }
}

TEST(WindowsFiles, RelativeToTheCurrentFolderAsTheWindowStartsIn) {
  const test::TempFile file("HID26 WW=08 XX=16 YY=00 ZZ=00\r\nHID34 WW=16 XX=16\r\n", "HID.cfg");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(file.dir());
  const FormatFileResult plain = ReadFormatFile("HID.cfg");
  const FormatFileResult dotted = ReadFormatFile(".\\HID.cfg");
  std::filesystem::current_path(before);
  for (const FormatFileResult* result : {&plain, &dotted}) {
    ASSERT_FALSE(result->error) << result->error->Message();
    ASSERT_EQ(result->rows.size(), 2u);
    EXPECT_EQ(result->rows[1].FormatName, "HID34");
    EXPECT_EQ(result->rows[1].FcBits, 16);
  }
}

TEST(WindowsFiles, NamesOutsideAsciiAreUtf8) {
  const test::TempFile folder("", "unused.txt");
  const std::string name = "Karten f\xC3\xBCr T\xC3\xBCr 3 \xE2\x80\x93 \xCE\xA9.csv";  // "Karten für Tür 3 – Ω.csv"
  const std::filesystem::path path = FromUtf8(folder.dir()) / FromUtf8(name);
  std::ofstream(path, std::ios::binary) << "7,70\r\n7,71\r\n";
  const CardFileResult cards = ReadCardFile(Utf8(path));
  ASSERT_FALSE(cards.error) << cards.error->Message();
  EXPECT_EQ(cards.entries.size(), 2u);
}

TEST(WindowsFiles, FaultsNameTheLineAndThePathAsGiven) {
  const test::TempFile file("12,1001\r\n\r\n12,x\r\n", "cards.csv");
  std::string forward = file.path();
  std::replace(forward.begin(), forward.end(), '\\', '/');
  const struct {
    std::string path;
    int line;  // 0: could not be opened
  } cases[] = {
      {file.path(), 3},
      {forward, 3},
      {file.absent(), 0},
      {file.dir(), 0},
      {file.dir() + "\\", 0},
      {"Z:\\no such folder\\cards.csv", 0},
      // Device names: opening COM1 would wait on the serial port, NUL would read as empty.
      {"NUL", 0},
      {"CON", 0},
      {"COM1", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const CardFileResult result = ReadCardFile(c.path);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->line, c.line);
    EXPECT_EQ(result.error->file, c.path);
    EXPECT_TRUE(result.entries.empty());
  }
}

}  // namespace
}  // namespace vx
