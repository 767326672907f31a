#include "formats/format_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_file.h"

namespace vx {
namespace {

struct ExpectedRow {
  const char* name;
  int fcBits, cnBits, paramY, paramZ;
  std::int32_t fcMax;
  double cnMax;
};

void ExpectRow(const FormatRow& row, const ExpectedRow& want, const std::string& context) {
  EXPECT_EQ(row.FormatName, want.name) << context;
  EXPECT_EQ(row.FcBits, want.fcBits) << context;
  EXPECT_EQ(row.CnBits, want.cnBits) << context;
  EXPECT_EQ(row.ParamY, want.paramY) << context;
  EXPECT_EQ(row.ParamZ, want.paramZ) << context;
  EXPECT_EQ(row.FcMax, want.fcMax) << context;
  EXPECT_EQ(row.CnMax, want.cnMax) << context;
}

TEST(FormatTable, ParsesFormatLines) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<ExpectedRow> rows;
  };
  const Case cases[] = {
      {"worked example", "HID26 WW=08 XX=16 YY=02 ZZ=10", {{"HID26", 8, 16, 2, 10, 255, 65535}}},
      {"markers in any order, each to its own number", "HID26 ZZ=10 YY=02 XX=16 WW=08",
       {{"HID26", 8, 16, 2, 10, 255, 65535}}},
      {"no format line", "# only a comment\n\nsomething else", {}},
      {"empty file", "", {}},
      {"one-digit value", "HID26 WW=8 XX=16", {{"HID26", 8, 16, 0, 0, 255, 65535}}},
      {"three digits: third is text", "HID26 XX=123", {{"HID26", 0, 12, 0, 0, 0, 4095}}},
      {"marker right after a one-digit value", "HID26 WW=8XX=16", {{"HID26", 8, 16, 0, 0, 255, 65535}}},
      {"one-digit value ends the item", "HID26 ZZ=7", {{"HID26", 0, 0, 0, 7, 0, 0}}},
      {"mixed-case marker is text", "HID26 Ww=08", {{"HID26", 0, 0, 0, 0, 0, 0}}},
      {"lower-case marker", "hid26 ww=08 xx=16 yy=01 zz=02", {{"hid26", 8, 16, 1, 2, 255, 65535}}},
      {"comma splits the line", "HID26,WW=08", {{"HID26", 0, 0, 0, 0, 0, 0}}},
      {"leading blanks", "  HID26 WW=08", {{"HID26", 8, 0, 0, 0, 255, 0}}},
      {"mixed-case name is no format line", "Hid26 WW=08\nhID26 WW=08", {}},
      {"any separator character", "HID26 WW:08 XX 16", {{"HID26", 8, 16, 0, 0, 255, 65535}}},
      {"later marker replaces earlier", "HID26 WW=08 WW=10", {{"HID26", 10, 0, 0, 0, 1023, 0}}},
      {"widest values", "HID99 WW=30 XX=32", {{"HID99", 30, 32, 0, 0, 1073741823, 4294967295.0}}},
      {"zero widths", "HID26 WW=00 XX=0", {{"HID26", 0, 0, 0, 0, 0, 0}}},
      {"name shorter than five", "HID", {{"HID", 0, 0, 0, 0, 0, 0}}},
      {"trailing blank is part of the name", "HID2 ", {{"HID2 ", 0, 0, 0, 0, 0, 0}}},
      {"scan starts at position 5", "HID2WW=8", {{"HID2W", 8, 0, 0, 0, 255, 0}}},
      {"marker at position 4 not seen", "HIDWW=12", {{"HIDWW", 0, 0, 0, 0, 0, 0}}},
      {"quoted format line", "\"HID26 WW=08, XX=16\"", {{"HID26", 8, 16, 0, 0, 255, 65535}}},
      {"CR-LF, no final line end, comments between",
       "# formats\r\nHID24 WW=06 XX=16\r\n\r\nHID26 WW=08 XX=16",
       {{"HID24", 6, 16, 0, 0, 63, 65535}, {"HID26", 8, 16, 0, 0, 255, 65535}}},
      {"HID24 and unknown names fill rows", "HID24 WW=06\nHID99 WW=01",
       {{"HID24", 6, 0, 0, 0, 63, 0}, {"HID99", 1, 0, 0, 0, 1, 0}}},
      {"NUL bytes are ordinary text", std::string("x\0y\nHID26 WW=08\0", 16), {{"HID26", 8, 0, 0, 0, 255, 0}}},
  };
  for (const Case& c : cases) {
    const FormatFileResult result = ParseFormatText(c.text, "HID.cfg");
    ASSERT_FALSE(result.error) << c.name << ": " << result.error->Message();
    ASSERT_EQ(result.rows.size(), c.rows.size()) << c.name;
    for (std::size_t i = 0; i < c.rows.size(); ++i) ExpectRow(result.rows[i], c.rows[i], c.name);
  }
}

TEST(FormatTable, RefusesFaultyFilesWithFileLineAndItem) {
  struct Case {
    const char* name;
    std::string text;
    int line;
    std::string item;
    std::string problemWord;  // a word the problem must contain
  };
  std::string tooMany;
  for (int i = 0; i < 257; ++i) tooMany += "HID26 WW=08\n";
  const Case cases[] = {
      {"letter where the digit belongs", "# c\nHID26 WW=x8", 2, "HID26 WW=x8", "number"},
      {"marker at the end", "HID26 XX=16 WW=", 1, "HID26 XX=16 WW=", "number"},
      {"marker without separator at the end", "HID26 WW", 1, "HID26 WW", "number"},
      {"blank where the digit belongs", "HID26 YY= 1", 1, "HID26 YY= 1", "number"},
      {"facility code of 31 bits", "HID26 WW=31", 1, "HID26 WW=31", "30"},
      {"facility code of 99 bits", "\r\n\r\nHID26 WW=99", 3, "HID26 WW=99", "30"},
      {"257th format line", tooMany, 257, "HID26 WW=08", "256"},
      {"unclosed quote would hide the rest", "HID24 WW=06\n\"note\nHID26 WW=08", 2, "note?HID26 WW=08", "quote"},
      {"lone CR counts lines", "a\rb\rHID26 WW=?", 3, "HID26 WW=?", "number"},
  };
  for (const Case& c : cases) {
    const FormatFileResult result = ParseFormatText(c.text, "HID.cfg");
    ASSERT_TRUE(result.error) << c.name;
    EXPECT_TRUE(result.rows.empty()) << c.name << ": no partly loaded rows";
    EXPECT_EQ(result.error->file, "HID.cfg") << c.name;
    EXPECT_EQ(result.error->line, c.line) << c.name;
    EXPECT_EQ(result.error->item, c.item) << c.name;
    EXPECT_NE(result.error->problem.find(c.problemWord), std::string::npos) << c.name << ": "
                                                                           << result.error->problem;
    const std::string message = result.error->Message();
    EXPECT_NE(message.find("HID.cfg"), std::string::npos) << message;
    EXPECT_NE(message.find("line " + std::to_string(c.line)), std::string::npos) << message;
  }
}

// Random bytes are the fuzzer's; these are the sizes it does not reach.
TEST(FormatTable, CountAndSizeLimits) {
  std::string text;
  for (int i = 0; i < 256; ++i) text += "HID26 WW=08\n";
  EXPECT_EQ(ParseFormatText(text, "HID.cfg").rows.size(), 256u);
  EXPECT_TRUE(ParseFormatText(std::string(1 << 20, 'A'), "HID.cfg").rows.empty());
  EXPECT_EQ(ParseFormatText("HID26 WW=08" + std::string(1 << 20, ' '), "HID.cfg").rows.at(0).FcBits, 8);
  const FormatFileResult wide = ParseFormatText("HID26 " + std::string(1 << 20, 'W'), "HID.cfg");
  ASSERT_TRUE(wide.error);  // "WW" followed by "W"
  EXPECT_LE(wide.error->item.size(), 43u);
}

FormatTable TableOf(const std::string& text) {
  FormatTable table;
  const FormatFileResult result = ParseFormatText(text, "HID.cfg");
  EXPECT_TRUE(ApplyFormatRows(result, table));
  return table;
}

TEST(FormatTable, FindFormatRowTakesFirstExactSpelling) {
  const FormatTable table = TableOf("HID99 WW=01\nhid26 WW=02\nHID26 WW=03\nHid32 WW=04\nHID32 WW=05");
  struct Case {
    const char* name;
    int row;
  };
  // "Hid32" is no format line, so "HID32" is row 3.
  const Case cases[] = {{"HID26", 1}, {"HID32", 3}, {"HID99", 0}, {"HID40", 0}, {"HID24", 0}};
  for (const Case& c : cases) EXPECT_EQ(FindFormatRow(table, c.name), c.row) << c.name;

  const FormatTable empty = TableOf("# no formats");
  EXPECT_EQ(empty.FormatCount, 0);
  EXPECT_EQ(FindFormatRow(empty, "HID26"), 0);
  EXPECT_EQ(empty.rows[0].FcMax, 0);
  EXPECT_EQ(empty.rows[0].CnMax, 0);
}

TEST(FormatTable, ApplyOnlyOnSuccessAndKeepsCurrentTexts) {
  FormatTable table;
  table.rows[0].FcText = "12";
  table.rows[5].CnText = "34";
  ASSERT_TRUE(ApplyFormatRows(ParseFormatText("HID26 WW=08 XX=16\nHID32 WW=14", "HID.cfg"), table));
  EXPECT_EQ(table.FormatCount, 2);
  EXPECT_EQ(table.rows[1].FcMax, 16383);
  EXPECT_EQ(table.rows[0].FcText, "12");
  EXPECT_EQ(table.rows[5].CnText, "34");
  EXPECT_EQ(table.rows[2].FormatName, "");

  const FormatTable before = table;
  EXPECT_FALSE(ApplyFormatRows(ParseFormatText("HID40 WW=16\nHID26 WW=40", "HID.cfg"), table));
  EXPECT_EQ(table.FormatCount, before.FormatCount);
  EXPECT_EQ(table.rows[0].FormatName, "HID26");
}

// Files that cannot be read are in the shared table of tests/platform/text_file_test.cpp.
TEST(FormatTable, ReadFormatFileFromDiskWithOrWithoutAByteOrderMark) {
  for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
    const test::TempFile file(mark + "HID26 WW=08 XX=16\r\n", "HID.cfg");
    const FormatFileResult ok = ReadFormatFile(file.path());
    ASSERT_FALSE(ok.error) << ok.error->Message();
    ASSERT_EQ(ok.rows.size(), 1u);
    EXPECT_EQ(ok.rows[0].FormatName, "HID26");
    EXPECT_EQ(ok.rows[0].FcBits, 8);
  }
  // A mark anywhere else is ordinary text: here it keeps a line from being a format line.
  EXPECT_TRUE(ParseFormatText("HID26 WW=08\n\xEF\xBB\xBFHID34 WW=16\n", "HID.cfg").rows.size() == 1u);
}

TEST(FormatTable, HasFormatRowOnlyForNamesInTheFile) {
  FormatTable table;
  ASSERT_TRUE(ApplyFormatRows(ParseFormatText("HID26 WW=08\nhid34 WW=16\n", "HID.cfg"), table));
  EXPECT_TRUE(HasFormatRow(table, "HID26"));
  EXPECT_TRUE(HasFormatRow(table, "HID34"));
  EXPECT_FALSE(HasFormatRow(table, "HID24"));
  EXPECT_EQ(FindFormatRow(table, "HID24"), 0);  // the validators' fallback stays row 0
  EXPECT_FALSE(HasFormatRow(FormatTable{}, "HID26"));
}

TEST(FormatTable, ShippedConfigGivesTheTabsInitialRanges) {
  const FormatFileResult result = ReadFormatFile(std::string(VX_SOURCE_DIR) + "/config/HID.cfg");
  ASSERT_FALSE(result.error) << result.error->Message();
  const ExpectedRow expected[] = {
      {"HID24", 6, 16, 0, 0, 63, 65535},       {"HID26", 8, 16, 0, 0, 255, 65535},
      {"HID32", 14, 16, 0, 0, 16383, 65535},   {"HID34", 16, 16, 0, 0, 65535, 65535},
      {"HID35", 13, 20, 0, 0, 8191, 1048575},  {"HID36", 15, 19, 0, 0, 32767, 524287},
      {"HID37", 16, 19, 0, 0, 65535, 524287},  {"HID40", 16, 22, 0, 0, 65535, 4194303},
  };
  ASSERT_EQ(result.rows.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) ExpectRow(result.rows[i], expected[i], expected[i].name);
}

}  // namespace
}  // namespace vx
