#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>

#include "platform/text_file.h"
#include "record/record_file.h"
#include "record/record_line.h"
#include "record/record_resume.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

const std::string kHeaderLine = std::string(kRecordHeader) + "\r\n";

RecordLine Written(const std::string& source, int entry, const std::string& fc, const std::string& cn,
                   const std::string& time = "2026-12-08T10:00:00.000+00:00") {
  return {time, "/dev/ttyS0", "HID  WG26", "HID26", 8, 16, 0, 0, fc, cn, source, entry, "written", fc, cn, {}};
}

std::string FileText(const std::string& path) { return ReadWholeFile(path).value_or("<unreadable>"); }

// Fields that need quoting come back whole; plain ones go in bare.
TEST(RecordLine, FormatsAndReadsBack) {
  struct Case {
    RecordLine line;
    std::string text;
  };
  const Case cases[] = {
      {Written("typed", 0, "12", "1000", "2026-12-08T10:00:00.125+01:00"),
       "2026-12-08T10:00:00.125+01:00,/dev/ttyS0,HID  WG26,HID26,8,16,0,0,12,1000,typed,,written,12,1000\r\n"},
      {{"t", "COM3", "EM4100", "EM4100", 0, 0, 0, 0, "", "", "typed", 0, "read failed", "", "", {}},
       "t,COM3,EM4100,EM4100,0,0,0,0,,,typed,,read failed,,\r\n"},
      {Written("C:\\cards, \"box 2\"\n.csv", 17, "5", "101"),
       "2026-12-08T10:00:00.000+00:00,/dev/ttyS0,HID  WG26,HID26,8,16,0,0,5,101,"
       "\"C:\\cards, \"\"box 2\"\"\n.csv\",17,written,5,101\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatRecordLine(c.line), c.text);
    const auto back = ParseRecordText(kHeaderLine + c.text);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], c.line);
  }
}

// A crash may leave half a line; every reader passes over it, and over lines
// that are not record lines at all.
TEST(RecordLine, PartialAndForeignLinesArePassedOver) {
  const std::string whole = FormatRecordLine(Written("typed", 0, "1", "2"));
  const auto lines = ParseRecordText(kHeaderLine + "note,not,a,record\n" + whole + whole.substr(0, 40));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].cardNumber, "2");
  EXPECT_TRUE(ParseRecordText(kHeaderLine + whole.substr(0, whole.size() - 2)).empty());
  EXPECT_TRUE(ParseRecordText(kHeaderLine + "\"unterminated,quote\n").empty());
}

TEST(RecordTime, LocalTimeWithOffsetToTheMillisecond) {
  const std::string text = RecordTimeText(std::chrono::system_clock::now());
  EXPECT_TRUE(std::regex_match(text, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d)"))) << text;
}

// The header goes into a new or empty file once; an existing record is only
// ever appended to.
TEST(RecordFile, HeaderOnceAndAppendOnly) {
  struct Case {
    const char* name;
    std::optional<std::string> before;  // nullopt: no file yet
    std::string after;                  // the file after two starts and one line
  };
  const std::string line = FormatRecordLine(Written("typed", 0, "1", "2"));
  const Case cases[] = {
      {"new file", std::nullopt, kHeaderLine + line},
      {"empty file", "", kHeaderLine + line},
      {"earlier record", kHeaderLine + line, kHeaderLine + line + line},
      {"partial last line", kHeaderLine + line.substr(0, 30), kHeaderLine + line.substr(0, 30) + "\r\n" + line},
      {"spreadsheet's byte-order mark", "\xEF\xBB\xBF" + kHeaderLine, "\xEF\xBB\xBF" + kHeaderLine + line},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFile dir(c.before.value_or(""), c.before ? "cards-2026-12-08.csv" : "other.txt");
    const std::string path = c.before ? dir.path() : dir.absent();
    EXPECT_EQ(StartRecord(path), std::nullopt);
    EXPECT_EQ(StartRecord(path), std::nullopt);
    EXPECT_EQ(AppendRecordLine(path, Written("typed", 0, "1", "2")), std::nullopt);
    EXPECT_EQ(FileText(path), c.after);
  }
}

TEST(RecordFile, FailuresNameTheFileAndTheReason) {
  struct Case {
    const char* name;
    std::string content;
    bool start;            // StartRecord, else AppendRecordLine
    std::string reasonPart;
  };
  const Case cases[] = {
      {"a file that is no record", "name,phone\nAnn,123\n", true, "not a card record"},
      {"the record deleted since", "", false, ""},
      {"a folder", "", true, "folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFile file(c.content);
    std::string path = file.path();
    if (!c.start) std::filesystem::remove(path);
    if (std::string(c.name) == "a folder") path = file.dir();
    const auto error = c.start ? StartRecord(path) : AppendRecordLine(path, Written("typed", 0, "1", "2"));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->path, path);
    EXPECT_FALSE(error->reason.empty());
    EXPECT_NE(error->reason.find(c.reasonPart), std::string::npos) << error->reason;
    EXPECT_NE(error->Message().find(path), std::string::npos);
    if (c.start && std::string(c.name) != "a folder") {
      EXPECT_EQ(FileText(path), c.content);  // untouched
    }
  }
}

std::vector<CardEntry> Entries(int count) {
  std::vector<CardEntry> entries;
  for (int i = 1; i <= count; ++i) entries.push_back({12, 1000.0 + i});
  return entries;
}

TEST(RecordResume, FindsTheRunOfWrittenEntries) {
  const std::string file = "/cards/box1.txt";
  auto line = [&](int entry, const std::string& outcome = "written", const std::string& source = "/cards/box1.txt",
                  std::string cn = "") {
    RecordLine l = Written(source, entry, "12", cn.empty() ? std::to_string(1000 + entry) : cn,
                           "T" + std::to_string(entry));
    l.outcome = outcome;
    return FormatRecordLine(l);
  };
  using K = ResumePoint::Kind;
  struct Case {
    const char* name;
    std::string record;
    K kind;
    int written;
    std::string lastTime;
    int changedEntry;
    int failed = 0;  // failed attempts of this file's cards
  };
  const Case cases[] = {
      {"empty record", kHeaderLine, K::Nothing, 0, "", 0},
      {"three written, a failure among them",
       kHeaderLine + line(1) + line(2) + line(3, "verify failed") + line(3), K::Continue, 3, "T3", 0, 1},
      {"only written counts", kHeaderLine + line(1, "no read-back") + line(1, "verify failed"), K::Nothing, 0, "", 0},
      {"failures after the run do not extend it",
       kHeaderLine + line(1) + line(2, "no acknowledgement") + line(3, "read-back refused") + line(4, "verify failed"),
       K::Continue, 1, "T1", 0, 3},
      {"another file's entries", kHeaderLine + line(1, "written", "/cards/box2.txt"), K::Nothing, 0, "", 0},
      {"a gap stops the run", kHeaderLine + line(1) + line(3), K::Continue, 1, "T1", 0},
      {"typed cards do not count", kHeaderLine + FormatRecordLine(Written("typed", 0, "12", "1001")), K::Nothing, 0,
       "", 0},
      {"all five", kHeaderLine + line(1) + line(2) + line(3) + line(4) + line(5), K::AllWritten, 5, "T5", 0},
      {"the file changed", kHeaderLine + line(1) + line(2, "written", file, "999"), K::Changed, 0, "", 2},
      {"the file shrank", kHeaderLine + line(1) + line(9), K::Changed, 0, "", 9},
      {"partial last line", kHeaderLine + line(1) + line(2).substr(0, 50), K::Continue, 1, "T1", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ResumePoint point = FindResumePoint(c.record, file, Entries(5));
    EXPECT_EQ(point.kind, c.kind);
    EXPECT_EQ(point.written, c.written);
    EXPECT_EQ(point.lastTime, c.lastTime);
    EXPECT_EQ(point.changedEntry, c.changedEntry);
    if (c.kind != K::Changed) {
      EXPECT_EQ(point.failedAttempts, c.failed);
    }
  }
}

TEST(RecordResume, TheQuestionAndTheMessages) {
  using K = ResumePoint::Kind;
  ResumePoint point;
  point.kind = K::Continue;
  point.written = 3;
  point.lastTime = "T";
  EXPECT_EQ(ResumeQuestion(point),
            "Entries 1 to 3 of this file are already written (the last at T). Continue with entry 4?");
  point.kind = K::AllWritten;
  point.written = 5;
  EXPECT_NE(ResumeQuestion(point).find("All 5 entries"), std::string::npos);
  point = {};
  point.kind = K::Changed;
  point.changedEntry = 2;
  point.recordedFc = point.fileFc = "12";
  point.recordedCn = "999";
  point.fileCn = "1002";
  const std::string changed = ResumeQuestion(point);
  EXPECT_NE(changed.find("entry 2 was written as 12,999, but it now holds 12,1002"), std::string::npos) << changed;
  EXPECT_EQ(ResumeQuestion({}), "");
}

}  // namespace
}  // namespace vx::test
