// Which credentials an export lists, from card records and the shared
// record: each once, only those whose last outcome is `written`, in the order
// of the write that stands, narrowed by the write's source, station, date and
// format.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exports/written_credentials.h"

namespace vx {
namespace {

// A record line of a write (or, with empty numbers, a read).
std::string Line(const std::string& time, const std::string& format, const std::string& fc, const std::string& cn,
                 const std::string& outcome, const std::string& source = "typed", const std::string& printed = "") {
  RecordLine line{time, "COM3", "HID  WG26", format, 8, 16, 0, 0, fc, cn, source, 0, outcome, "", "", printed};
  return FormatRecordLine(line);
}

std::string At(int minute) { return "2026-12-01T10:" + std::string(minute < 10 ? "0" : "") + std::to_string(minute) + ":00.000+01:00"; }

CredentialRow Row(const std::string& station, std::uint32_t cn, CredentialState state, const std::string& writtenAt) {
  return {{"HID26", 12, cn}, state, station, "2026-12-01T09:00:00.000+01:00", writtenAt, "typed", 0};
}

struct SelectionCase {
  const char* name;
  std::vector<std::string> records;  // each a card record's text, header left out
  std::vector<CredentialRow> rows;   // the shared record's
  ExportFilter filter;
  std::vector<std::string> listed;   // "HID26 12,1000", and its printed number when it has one, in order
};

const SelectionCase kSelections[] = {
    {"failures, repeats and reads: each once, only written, in order",
     {Line(At(1), "HID26", "12", "1000", "verify failed") + Line(At(2), "HID26", "12", "1000", "written") +
      Line(At(3), "HID26", "12", "1001", "written") + Line(At(4), "HID26", "", "", "read") +
      Line(At(5), "HID26", "12", "1002", "no acknowledgement") + Line(At(6), "HID26", "12", "1003", "written") +
      Line(At(7), "HID26", "12", "1001", "written")},
     {},
     {},
     {"HID26 12,1000", "HID26 12,1003", "HID26 12,1001"}},
    {"a credential whose last attempt failed is not listed",
     {Line(At(1), "HID26", "12", "1000", "written") + Line(At(2), "HID26", "12", "1000", "no read-back")},
     {},
     {},
     {}},
    {"several records, in the order written",
     {Line(At(1), "HID26", "12", "1", "written") + Line(At(3), "HID26", "12", "3", "written"),
      Line(At(2), "HID26", "12", "2", "written") + Line(At(4), "HID26", "12", "1", "verify failed")},
     {},
     {},
     {"HID26 12,2", "HID26 12,3"}},
    {"stations in other time zones, by the instant",
     {Line("2026-12-01T09:45:00.000+00:00", "HID26", "12", "2", "written"),
      Line("2026-12-01T10:30:00.000+01:00", "HID26", "12", "1", "written")},
     {},
     {},
     {"HID26 12,1", "HID26 12,2"}},
    {"formats apart, a format's name in either case",
     {Line(At(1), "HID26", "12", "1", "written") + Line(At(2), "EM4100", "12", "1", "written") +
      Line(At(3), "hid26", "12", "1", "verify failed") + Line(At(4), "hid26", "12", "0002", "written")},
     {},
     {},
     {"EM4100 12,1", "HID26 12,2"}},
    {"a line the program could not have written is no credential",
     {Line(At(1), "=HYPERLINK(\"x\")", "12", "1", "written") + Line(At(2), "HID26", "-1", "2", "written") +
      Line(At(3), "HID26", "12", "16777216", "written") + Line(At(4), "EM4100", "256", "1", "written") +
      Line("yesterday", "HID26", "12", "5", "written") + Line(At(5), "HID26", "12", "", "written") +
      Line(At(6), "EM4100", "255", "4294967295", "written")},
     {},
     {},
     {"EM4100 255,4294967295"}},
    {"nor is a line whose printed number is not one a card-number file gives",
     {Line(At(1), "HID26", "12", "1", "written", "typed", "0004711") +
      Line(At(2), "HID26", "12", "2", "written", "typed", "=1+2") +
      Line(At(3), "HID26", "12", "3", "written", "typed", "123456789012345678901")},
     {},
     {},
     {"HID26 12,1 0004711"}},
    {"by source",
     {Line(At(1), "HID26", "12", "1", "written", "/jobs/a.txt") + Line(At(2), "HID26", "12", "2", "written") +
      Line(At(3), "HID26", "12", "3", "written", "/jobs/b.txt") + Line(At(4), "HID26", "12", "4", "written", "/jobs/a.txt")},
     {},
     {.source = "/jobs/a.txt"},
     {"HID26 12,1", "HID26 12,4"}},
    {"by day, both days inclusive",
     {Line("2026-11-30T23:59:59.999+01:00", "HID26", "12", "1", "written") +
      Line("2026-12-01T00:00:00.000+01:00", "HID26", "12", "2", "written") +
      Line("2026-12-02T23:59:59.999+01:00", "HID26", "12", "3", "written") +
      Line("2026-12-03T00:00:00.000+01:00", "HID26", "12", "4", "written")},
     {},
     {.since = "2026-12-01", .until = "2026-12-02"},
     {"HID26 12,2", "HID26 12,3"}},
    {"narrowed by its last write: written again from another source",
     {Line(At(1), "HID26", "12", "1", "written", "/jobs/a.txt") + Line(At(2), "HID26", "12", "1", "written")},
     {},
     {.source = "/jobs/a.txt"},
     {}},
    {"narrowed by its last write: written again on a later day",
     {Line("2026-11-01T10:00:00.000+01:00", "HID26", "12", "1", "written") +
      Line("2026-12-05T10:00:00.000+01:00", "HID26", "12", "1", "written")},
     {},
     {.since = "2026-12-01"},
     {"HID26 12,1"}},
    {"by format, in either case",
     {Line(At(1), "HID26", "12", "1", "written") + Line(At(2), "EM4100", "12", "2", "written")},
     {},
     {.format = "em4100"},
     {"EM4100 12,2"}},
    {"the shared record's written rows, in the order written",
     {},
     {Row("DESK-2", 2, CredentialState::Written, At(5)), Row("DESK-1", 1, CredentialState::Written, At(3)),
      Row("DESK-1", 3, CredentialState::Unknown, ""), Row("DESK-1", 4, CredentialState::Reserved, "")},
     {},
     {"HID26 12,1", "HID26 12,2"}},
    {"the shared record by station",
     {},
     {Row("DESK-1", 1, CredentialState::Written, At(3)), Row("DESK-2", 2, CredentialState::Written, At(5))},
     {.station = "DESK-2"},
     {"HID26 12,2"}},
    {"a record and the shared record: the later outcome decides",
     {Line(At(4), "HID26", "12", "1", "verify failed") + Line(At(1), "HID26", "12", "2", "written")},
     {Row("DESK-1", 1, CredentialState::Written, At(3)), Row("DESK-1", 2, CredentialState::Written, At(6))},
     {},
     {"HID26 12,2"}},
};

TEST(ExportSelection, ListsEachWrittenCredentialOnceInTheOrderWritten) {
  for (const SelectionCase& c : kSelections) {
    std::vector<CredentialOutcome> outcomes;
    for (const std::string& record : c.records) {
      std::vector<CredentialOutcome> read = OutcomesOfRecord(ParseRecordText(std::string(kRecordHeader) + "\r\n" + record));
      outcomes.insert(outcomes.end(), read.begin(), read.end());
    }
    std::vector<CredentialOutcome> rows = OutcomesOfRows(c.rows);
    outcomes.insert(outcomes.end(), rows.begin(), rows.end());
    std::vector<std::string> listed;
    for (const ExportedCredential& credential : SelectWritten(outcomes, c.filter)) {
      listed.push_back(credential.format + " " + std::to_string(credential.facilityCode) + "," +
                       std::to_string(credential.cardNumber) + (credential.printed.empty() ? "" : " " + credential.printed));
    }
    EXPECT_EQ(listed, c.listed) << c.name;
  }
}

// A job report reads the shared record's attempts as it does a card record's
// lines: each with its station; a release is no write; an attempt a station
// keeps in both counts once, as the shared record has it.
TEST(ExportSelection, SharedRecordsAttemptsJoinTheCardRecord) {
  struct Case {
    const char* name;
    std::string record;                // a card record's text, header left out
    std::vector<vx::Attempt> attempts;  // the shared record's (job_report_test has an Attempt of its own)
    std::vector<std::string> outcomes; // "cn station flags": w written, f failed attempt, u the card may hold it
  };
  const auto attempt = [](const std::string& time, const std::string& cn, const std::string& outcome,
                          const std::string& station) {
    return vx::Attempt{{time, "COM3", "HID  WG26", "HID26", 8, 16, 0, 0, "12", cn, "typed", 0, outcome, "", "", ""},
                   station};
  };
  const Case cases[] = {
      {"an attempt names its station", "", {attempt(At(1), "1", "no read-back", "DESK-2")}, {"1 DESK-2 fu"}},
      {"a release is no failed attempt",
       "",
       {attempt(At(1), "1", "no read-back", "DESK-1"), attempt(At(2), "1", "released", "SUPERVISOR")},
       {"1 DESK-1 fu", "1 SUPERVISOR "}},
      {"kept in both, counted once",
       Line(At(1), "HID26", "12", "1", "verify failed") + Line(At(2), "HID26", "12", "2", "written"),
       {attempt(At(1), "1", "verify failed", "DESK-1")},
       {"2  w", "1 DESK-1 f"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<CredentialOutcome> joined =
        JoinedWithAttempts(OutcomesOfRecord(ParseRecordText(std::string(kRecordHeader) + "\r\n" + c.record)),
                           OutcomesOfAttempts(c.attempts));
    std::vector<std::string> seen;
    for (const CredentialOutcome& o : joined)
      seen.push_back(std::to_string(o.credential.cardNumber) + " " + o.credential.station + " " +
                     (o.written ? "w" : "") + (o.failedAttempt ? "f" : "") + (o.mayHold ? "u" : ""));
    EXPECT_EQ(seen, c.outcomes);
  }
}

}  // namespace
}  // namespace vx
