#include <gtest/gtest.h>

#include "carddata/card_verdict.h"

namespace vx::test {
namespace {

// Both spellings are on disk already: records and the shared record hold the
// record's, journals the journal's; each reads back only as itself.
TEST(CardVerdict, WordsAsRecordsAndJournalsHaveThem) {
  struct Case {
    CardVerdict verdict;
    std::string_view record, journal;
  };
  const Case cases[] = {
      {CardVerdict::Written, "written", "written"},
      {CardVerdict::VerifyFailed, "verify failed", "verify-failed"},
      {CardVerdict::NoAcknowledgement, "no acknowledgement", "no-acknowledgement"},
      {CardVerdict::NoReadBack, "no read-back", "no-read-back"},
      {CardVerdict::ReadBackRefused, "read-back refused", "read-back-refused"},
      {CardVerdict::Read, "read", "read"},
      {CardVerdict::ReadFailed, "read failed", "read-failed"},
      {CardVerdict::ReadRefused, "read refused", "read-refused"},
  };
  ASSERT_EQ(std::size(cases), std::size(kVerdictWords));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.record));
    EXPECT_EQ(RecordWordOf(c.verdict), c.record);
    EXPECT_EQ(JournalWordOf(c.verdict), c.journal);
    EXPECT_EQ(VerdictOfJournalWord(c.journal), c.verdict);
    if (c.record != c.journal) {
      EXPECT_EQ(VerdictOfJournalWord(c.record), std::nullopt);
    }
  }
}

}  // namespace
}  // namespace vx::test
