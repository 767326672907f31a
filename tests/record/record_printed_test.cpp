// The printed number in the card record: a trailing column, so that records
// without it still read and resume, and a line without a printed number keeps
// the bytes records have always had.

#include <gtest/gtest.h>

#include <optional>

#include "platform/text_file.h"
#include "record/record_file.h"
#include "record/record_index.h"
#include "record/record_line.h"
#include "record/record_resume.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

const std::string kSource = "/cards/box1.txt";

RecordLine WrittenEntry(const std::string& printed) {
  return {"2026-12-08T10:00:00.000+00:00", "/dev/ttyS0", "HID  WG26", "HID26", 8, 16, 0, 0, "12", "1000", kSource, 1,
          "written", "12", "1000", printed};
}

// Each line is written with 15 fields or with 16, and read, indexed and
// resumed from either, under either header.
TEST(RecordPrintedNumber, FifteenOrSixteenFields) {
  struct Case {
    const char* name;
    std::string header;
    std::string printed;  // the line's printed number
    std::string tail;     // how the line ends in the file
  };
  const Case cases[] = {
      {"none: today's fields", std::string(kRecordHeader), "", "written,12,1000\r\n"},
      {"a printed number: a field of its own", std::string(kRecordHeaderWithPrinted), "0004711",
       "written,12,1000,0004711\r\n"},
      {"under today's header", std::string(kRecordHeader), "0004711", "written,12,1000,0004711\r\n"},
      {"none, under the header that names it", std::string(kRecordHeaderWithPrinted), "", "written,12,1000\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RecordLine line = WrittenEntry(c.printed);
    const std::string text = FormatRecordLine(line);
    EXPECT_TRUE(text.ends_with(",1," + c.tail)) << text;
    const std::string record = c.header + "\r\n" + text;

    EXPECT_EQ(ParseRecordText(record), std::vector<RecordLine>{line});
    RecordIndex index;
    EXPECT_EQ(index.Take(record), record.size());
    const auto written = index.FindWritten("HID26", 12, 1000);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->printed, c.printed);
    const ResumePoint point = FindResumePoint(record, kSource, {{12, 1000, c.printed}, {12, 1001}});
    EXPECT_EQ(point.kind, ResumePoint::Kind::Continue);
    EXPECT_EQ(point.written, 1);
  }
  // A line of seventeen fields is no record line.
  const std::string longer = std::string(kRecordHeader) + "\r\n" + FormatRecordLine(WrittenEntry("5")).insert(5, ",x");
  EXPECT_TRUE(ParseRecordText(longer).empty());
}

// A new record names the printed number in its header only when it is made
// while printed numbers are in use; a record of either header is appended to.
TEST(RecordPrintedNumber, TheHeaderNamesItOnlyWhenInUse) {
  struct Case {
    const char* name;
    std::optional<std::string> before;  // nullopt: no file yet
    bool inUse;
    std::string header;                 // the file's first line after the start
  };
  const Case cases[] = {
      {"new, not in use", std::nullopt, false, std::string(kRecordHeader)},
      {"new, in use", std::nullopt, true, std::string(kRecordHeaderWithPrinted)},
      {"today's record, in use", std::string(kRecordHeader) + "\r\n", true, std::string(kRecordHeader)},
      {"a record that names it, not in use", std::string(kRecordHeaderWithPrinted) + "\r\n", false,
       std::string(kRecordHeaderWithPrinted)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFile dir(c.before.value_or(""), "record.csv");
    const std::string path = c.before ? dir.path() : dir.absent();
    ASSERT_EQ(StartRecord(path, c.inUse), std::nullopt);
    EXPECT_EQ(ReadWholeFile(path).value_or(""), c.header + "\r\n");
  }
}

}  // namespace
}  // namespace vx::test
