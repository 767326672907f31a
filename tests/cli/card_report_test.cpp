// How vandorix-card words a card and the shared record's view on a console:
// what the shared record made of an outcome, and text from other stations and
// servers that must not steer the terminal it is printed to.

#include <gtest/gtest.h>

#include <string>

#include "cli/card_report.h"

namespace {

using vx::CardNumbers;
using vx::CardOutcome;
using vx::CardVerdict;
using vx::SharedRecordNote;

CardOutcome Outcome(CardVerdict verdict, const std::string& station) {
  CardOutcome o;
  o.verdict = verdict;
  o.port = "/dev/ttyUSB0";
  o.tab = "HID26";
  o.format = "HID26";
  if (vx::IsWrite(verdict)) o.sent = CardNumbers{12, 1000};
  if (verdict == CardVerdict::Written || verdict == CardVerdict::Read) o.read = CardNumbers{12, 1000};
  o.station = station;
  return o;
}

// The card line and the JSON line's end, by what the shared record has of
// the outcome. (A card kept in the journal and then committed: the frozen
// server's run, end to end.)
TEST(CardReport, SaysWhatTheSharedRecordHas) {
  struct Case {
    const char* name;
    CardOutcome outcome;
    SharedRecordNote note;
    int card, cards;
    std::string line;
    std::string jsonEnd;
  };
  const SharedRecordNote none{};
  const SharedRecordNote notYet{SharedRecordNote::Kind::NotYet, {}, {}};
  const SharedRecordNote notTaken{SharedRecordNote::Kind::NotTaken, {"db1", "permission denied for table vx_attempts"}, {}};
  const Case cases[] = {
      {"no shared record", Outcome(CardVerdict::Written, ""), none, 1, 1, "\u2714 Written and verified: 12,1000",
       "\"read_card_number\":\"1000\"}"},
      {"a failed card kept in the journal, third of five", Outcome(CardVerdict::NoAcknowledgement, "DESK-2"), notYet,
       3, 5, "card 3 of 5: \u2718 Not written: no answer from the reader/writer, not yet in the shared record",
       "\"station\":\"DESK-2\",\"in_shared_record\":false}"},
      {"a read the store did not take", Outcome(CardVerdict::Read, "DESK-2"), notTaken, 1, 1,
       "\u25CF Read: 12,1000, not in the shared record: db1: permission denied for table vx_attempts",
       "\"station\":\"DESK-2\",\"in_shared_record\":false}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(vx::cli::CardLine(c.outcome, c.note, c.card, c.cards), c.line);
    const std::string json = vx::cli::JsonLine(c.outcome, vx::cli::InSharedRecord(c.outcome, c.note));
    EXPECT_TRUE(json.ends_with(c.jsonEnd)) << json;
  }
  EXPECT_EQ(vx::cli::OnlyInJournalText(2),
            "2 cards not yet in the shared record: kept in the journal, committed at the next run");
}

// The status of a shared record with one station's count and unknown row.
vx::StoreStatus StatusOf(const std::string& station, const std::string& source) {
  vx::StoreStatus status;
  status.counts = {{station, vx::CredentialState::Written, 3}};
  vx::CredentialRow row;
  row.credential = {"HID26", 12, 1000};
  row.state = vx::CredentialState::Unknown;
  row.station = station;
  row.reservedAt = "2026-12-01T14:03:12+01:00";
  row.source = source;
  row.entry = 3;
  status.unknown = {row};
  return status;
}

// A station's name, a path and a server's reason as another station or the
// driver left them: printed, no control in them reaches the terminal, and
// JSON stays JSON.
TEST(CardReport, ShowsOutsideTextWithoutItsControls) {
  struct Case {
    const char* name;
    std::string printed;
    std::string holds;
  };
  const SharedRecordNote reason{SharedRecordNote::Kind::NotTaken, {"db1\x1b[2J", "no\r\x1b]0;x\x07"}, {}};
  CardOutcome latin1 = Outcome(CardVerdict::Written, "Kasse \xe9\x7f\xc2\x85");
  latin1.listFile = "/srv/caf\xe9.txt";
  latin1.entry = 1;
  const Case cases[] = {
      {"store status: a station that retitles the window and clears the screen",
       vx::cli::StoreStatusText(StatusOf("DESK\x1b]0;owned\x07\x1b[2J", "typed")),
       "station\tstate\tcards\nDESK\\x1b]0;owned\\x07\\x1b[2J\twritten\t3\nunknown: 1\n"
       "  HID26 12,1000\tunknown at DESK\\x1b]0;owned\\x07\\x1b[2J, reserved"},
      {"store status: a station that makes a line of its own",
       vx::cli::StoreStatusText(StatusOf("A\nB\twritten\t9", "")),
       "A\\x0aB\\x09written\\x099\twritten\t3\n"},
      {"store status: a C1 control in a path",
       vx::cli::StoreStatusText(StatusOf("DESK-1", "C:\\b\\\xc2\x9b" "2Jc.txt")),
       ", entry 3 of C:\\b\\\\u009b2Jc.txt\n"},
      {"card line: a server's reason", vx::cli::CardLine(Outcome(CardVerdict::Read, "DESK-2"), reason, 1, 1),
       "\u25CF Read: 12,1000, not in the shared record: db1\\x1b[2J: no\\x0d\\x1b]0;x\\x07"},
      {"JSON: a Latin-1 file name", vx::cli::JsonLine(latin1), "\"source\":\"/srv/caf\\ufffd.txt\""},
      {"JSON: a station with DEL and a C1 control", vx::cli::JsonLine(latin1),
       "\"station\":\"Kasse \\ufffd\\u007f\\u0085\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(c.printed.find(c.holds), std::string::npos) << c.printed;
  }
}

}  // namespace
