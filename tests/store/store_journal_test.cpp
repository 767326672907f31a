// The journal of outcomes the shared record has not yet taken: entries come
// back whole and in order, a crash's partial entry is passed over, and a
// replay keeps exactly what the store did not take.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "formats/text_file.h"
#include "store/store_journal.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

JournalEntry Entry(std::uint32_t cardNumber, CardVerdict verdict, const std::string& source = "typed") {
  JournalEntry e;
  e.credential = {"HID26", 12, cardNumber};
  e.verdict = verdict;
  e.attempt.station = "O'Brien's desk";
  e.attempt.line = {"2026-12-08T10:00:00.125+01:00", "COM3", "HID  WG26", "HID26", 8, 16, 0, 0, "12",
                    std::to_string(cardNumber), source, 4, "no read-back", "", ""};
  return e;
}

JournalEntry WrittenBeforeEntry() {
  JournalEntry e = Entry(1000, CardVerdict::Written, "C:\\batches\\\"box\"\t2\\\nMüller ✓.txt");
  e.before.verdict = ReserveVerdict::WrittenBefore;
  e.before.existing = CredentialRow{{"HID26", 12, 1000}, CredentialState::Written, "DESK-1\\",
                                    "2026-12-01T14:03:12+01:00", "2026-12-01T14:03:13+01:00", "cards.txt", 17};
  return e;
}

std::vector<JournalEntry> Read(const std::string& path) {
  std::vector<JournalEntry> entries;
  EXPECT_EQ(ReadJournal(path, entries), std::nullopt);
  return entries;
}

TEST(StoreJournal, EntriesComeBackWholeAndInOrder) {
  TempFile dir("");
  const std::string path = JournalPath(dir.dir());
  EXPECT_TRUE(Read(path).empty()) << "no journal yet";
  const std::vector<JournalEntry> entries = {WrittenBeforeEntry(), Entry(1001, CardVerdict::NoReadBack)};
  for (const JournalEntry& e : entries) ASSERT_EQ(AppendJournal(path, e), std::nullopt);
  EXPECT_EQ(Read(path), entries);

  ASSERT_EQ(RewriteJournal(path, {entries[1]}), std::nullopt);
  EXPECT_EQ(Read(path), std::vector<JournalEntry>{entries[1]});
  ASSERT_EQ(RewriteJournal(path, {}), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(path)));
}

// Stations on one computer share its user folder: each keeps a journal of its
// own, whatever letters its name has.
TEST(StoreJournal, EachStationHasAFileOfItsOwn) {
  EXPECT_EQ(JournalPath("u", "DESK-2"), "u/shared-record-journal-DESK-2.txt");
  EXPECT_EQ(JournalPath("u/", "station 1"), "u/shared-record-journal-station%201.txt");
  EXPECT_EQ(JournalPath("u", "O'Brien's:\xC3\xA9"), "u/shared-record-journal-O%27Brien%27s%3A%C3%A9.txt");
  EXPECT_NE(JournalPath("u", "station 1"), JournalPath("u", "station 2"));
}

// A crash while an entry was written leaves part of it; it is passed over,
// and the next entry still starts a line of its own (which ends the part).
TEST(StoreJournal, PartialLastEntryIsPassedOver) {
  TempFile dir("");
  const std::string path = JournalPath(dir.dir());
  ASSERT_EQ(AppendJournal(path, Entry(1, CardVerdict::NoAcknowledgement)), std::nullopt);
  const std::string whole = ReadWholeFile(path).value_or("");
  for (std::size_t cut : {std::size_t{1}, whole.size() / 2, whole.size() - 2}) {
    SCOPED_TRACE(cut);
    std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc) << whole << whole.substr(0, cut);
    EXPECT_EQ(Read(path).size(), 1u);
    ASSERT_EQ(AppendJournal(path, Entry(2, CardVerdict::NoReadBack)), std::nullopt);
    const auto entries = Read(path);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1], Entry(2, CardVerdict::NoReadBack));
  }
}

// A store that takes settles until it is lost.
class LosingStore : public SharedStore {
 public:
  explicit LosingStore(int takes) : takes_(takes) {}
  std::vector<std::uint32_t> taken;
  StorePlace Place() const override { return {"cards", "db1", "DESK-2"}; }
  const std::string& Station() const override { return station_; }
  std::optional<StoreFault> Settle(const Credential& c, const Reservation&, CardVerdict, const Attempt&) override {
    if (takes_-- <= 0) return StoreFault{"db1", "connection refused"};
    taken.push_back(c.cardNumber);
    return std::nullopt;
  }
  std::optional<StoreFault> Reserve(const Credential&, const std::string&, int, Reservation&) override { return {}; }
  std::optional<StoreFault> GiveBack(const Credential&) override { return {}; }
  std::optional<StoreFault> RecordRead(const Attempt&) override { return {}; }
  std::optional<StoreFault> Find(const Credential&, std::optional<CredentialRow>&) override { return {}; }
  std::optional<StoreFault> FindMany(const std::string&, const std::vector<CardNumbers>&, EntryStates&) override {
    return {};
  }
  std::optional<StoreFault> UnsettledFromEarlierRuns(std::vector<CredentialRow>&) override { return {}; }
  std::optional<StoreFault> Resolve(const Credential&, CredentialState) override { return {}; }
  std::optional<StoreFault> Status(StoreStatus&) override { return {}; }
  std::optional<StoreFault> Release(const Credential&, bool&) override { return {}; }

 private:
  int takes_;
  std::string station_ = "DESK-2";
};

TEST(StoreJournal, ReplayKeepsWhatTheStoreDidNotTake) {
  struct Case {
    int takes;
    std::vector<std::uint32_t> taken, left;
  };
  const Case cases[] = {{3, {1, 2, 3}, {}}, {1, {1}, {2, 3}}, {0, {}, {1, 2, 3}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.takes);
    TempFile dir("");
    const std::string path = JournalPath(dir.dir());
    for (std::uint32_t cn : {1u, 2u, 3u}) ASSERT_EQ(AppendJournal(path, Entry(cn, CardVerdict::Written)), std::nullopt);
    LosingStore store(c.takes);
    const auto fault = ReplayJournal(path, store);
    EXPECT_EQ(fault.has_value(), !c.left.empty());
    EXPECT_EQ(store.taken, c.taken);
    std::vector<std::uint32_t> left;
    for (const JournalEntry& e : Read(path)) left.push_back(e.credential.cardNumber);
    EXPECT_EQ(left, c.left);
  }
}

}  // namespace
}  // namespace vx::test
