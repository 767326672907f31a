// The journal of outcomes the shared record has not yet taken: entries come
// back whole and in order, a crash's partial entry is passed over, and a
// replay keeps exactly what the store did not take.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/text_file.h"
#include "store/station_lock.h"
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
                    std::to_string(cardNumber), source, 4, "no read-back", "", "", {}};
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
  JournalText journal;
  EXPECT_EQ(ReadJournal(path, journal), std::nullopt);
  return journal.entries;
}

TEST(StoreJournal, EntriesComeBackWholeAndInOrder) {
  TempFile dir("");
  const std::string path = JournalPath(dir.dir());
  EXPECT_TRUE(Read(path).empty()) << "no journal yet";
  JournalEntry printed = Entry(1002, CardVerdict::Written);
  printed.attempt.line.printedNumber = "0004711";
  const std::vector<JournalEntry> entries = {WrittenBeforeEntry(), Entry(1001, CardVerdict::NoReadBack), printed};
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
  EXPECT_EQ(RefusedPath("u/shared-record-journal-DESK-2.txt"), "u/shared-record-refused-DESK-2.txt");
  EXPECT_EQ(DamagedPath("u/shared-record-journal-DESK-2.txt"), "u/shared-record-damaged-DESK-2.txt");
  // The longest names a station may have, 64 characters of four bytes each,
  // still make file names the system takes, and two of them, alike but for
  // their last letter, still two files.
  std::string longest;
  for (int i = 0; i < 64; ++i) longest += "\xF0\x9F\x94\x91";
  std::string other = longest.substr(0, longest.size() - 4) + "\xF0\x9F\x94\x92";
  for (const std::string& name : {longest, other}) {
    const std::string file = JournalPath("", name);
    EXPECT_LE(StationLockPath("", name).size(), 255u) << file;
    EXPECT_LE(RefusedPath(file).size(), 255u) << file;
    EXPECT_EQ(file.find("%F0%9F%94%91"), std::string("shared-record-journal-").size()) << file;
  }
  EXPECT_NE(JournalPath("u", longest), JournalPath("u", other));
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

// A store that takes settles until it is lost, and refuses for good those of
// the card numbers in `refuses`.
class LosingStore : public SharedStore {
 public:
  explicit LosingStore(int takes, std::set<std::uint32_t> refuses = {}) : takes_(takes), refuses_(refuses) {}
  std::vector<std::uint32_t> taken;
  StorePlace Place() const override { return {"cards", "db1", "DESK-2", std::nullopt}; }
  const std::string& Station() const override { return station_; }
  std::optional<StoreFault> Settle(const Credential& c, const Reservation&, CardVerdict, const Attempt&) override {
    if (takes_ <= 0) return StoreFault{"db1", "connection refused"};
    if (refuses_.contains(c.cardNumber)) return StoreFault{"db1", "value too long", true};
    --takes_;
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
  std::optional<StoreFault> WrittenRows(std::vector<CredentialRow>&) override { return {}; }
  std::optional<StoreFault> AttemptRows(std::vector<Attempt>&) override { return {}; }
  std::optional<StoreFault> UnsettledFromEarlierRuns(std::vector<CredentialRow>&) override { return {}; }
  std::optional<StoreFault> Resolve(const Credential&, CredentialState) override { return {}; }
  std::optional<StoreFault> Status(StoreStatus&) override { return {}; }
  std::optional<StoreFault> Release(const Credential&, bool&) override { return {}; }

 private:
  int takes_;
  std::set<std::uint32_t> refuses_;
  std::string station_ = "DESK-2";
};

// What the store could not be reached for waits in the journal, in order; a
// settle it refused for good is moved beside the journal, said, and the
// next goes on.
TEST(StoreJournal, ReplayKeepsWhatTheStoreDidNotTake) {
  struct Case {
    int takes;
    std::set<std::uint32_t> refuses;
    std::vector<std::uint32_t> taken, left, aside;
  };
  const Case cases[] = {
      {3, {}, {1, 2, 3}, {}, {}},       {1, {}, {1}, {2, 3}, {}},     {0, {}, {}, {1, 2, 3}, {}},
      {3, {2}, {1, 3}, {}, {2}},        {1, {1}, {2}, {3}, {1}},      {3, {1, 2, 3}, {}, {}, {1, 2, 3}},
      {0, {1}, {}, {1, 2, 3}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.takes << " takes, " << c.refuses.size() << " refused");
    TempFile dir("");
    const std::string path = JournalPath(dir.dir());
    for (std::uint32_t cn : {1u, 2u, 3u}) ASSERT_EQ(AppendJournal(path, Entry(cn, CardVerdict::Written)), std::nullopt);
    LosingStore store(c.takes, c.refuses);
    const JournalReplay replay = ReplayJournal(path, store);
    EXPECT_EQ(replay.fault.has_value(), !c.left.empty());
    EXPECT_EQ(store.taken, c.taken);
    std::vector<std::uint32_t> left, aside;
    for (const JournalEntry& e : Read(path)) left.push_back(e.credential.cardNumber);
    for (const JournalEntry& e : Read(RefusedPath(path))) aside.push_back(e.credential.cardNumber);
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(aside, c.aside);
    ASSERT_EQ(replay.told.size(), c.aside.size());
    for (std::size_t i = 0; i < c.aside.size(); ++i) {
      EXPECT_NE(replay.told[i].find("12," + std::to_string(c.aside[i]) + " (HID26)"), std::string::npos);
      EXPECT_NE(replay.told[i].find("value too long"), std::string::npos);
      EXPECT_NE(replay.told[i].find(RefusedPath(path)), std::string::npos);
    }
  }
}

// A line that is not an entry is moved, as it was, to a file beside the
// journal and said with its line; the entries around it are committed.
TEST(StoreJournal, DamagedLinesAreKeptAsideAndTheRestCommitted) {
  const std::string e1 = JournalLine(Entry(1, CardVerdict::Written));
  const std::string e2 = JournalLine(Entry(2, CardVerdict::NoReadBack));
  const std::string e3 = JournalLine(Entry(3, CardVerdict::Written));
  std::string badNumber = e2;
  badNumber.replace(badNumber.find("\t12\t"), 4, "\t1x\t");
  const std::string cut = e2.substr(0, e2.size() / 2);
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::uint32_t> taken;
    std::string aside;  // the damaged file afterwards
    std::string lines;  // as the message names them
  };
  const Case cases[] = {
      {"a foreign line between entries", e1 + "not an entry\n" + e3, {1, 3}, "not an entry\n", "line 2 of"},
      {"a number that is not one", e1 + badNumber + e3, {1, 3}, badNumber, "line 2 of"},
      {"an entry cut short, then another", e1 + cut + "\n" + e3, {1, 3}, cut + "\n", "line 2 of"},
      {"an entry cut short at the end", e1 + cut, {1}, cut + "\n", "line 2 of"},
      {"two of them, with CR LF", "x\r\n" + e1 + "y\r\n" + e3, {1, 3}, "x\ny\n", "lines 1, 3 of"},
      {"blank lines hold nothing", e1 + "\n\r\n" + e3, {1, 3}, "", ""},
      {"an entry without its line break", e1 + e3.substr(0, e3.size() - 1), {1, 3}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFile dir("");
    const std::string path = JournalPath(dir.dir(), "DESK-2");
    std::ofstream(std::filesystem::path(path), std::ios::binary) << c.text;
    LosingStore store(10);
    const JournalReplay replay = ReplayJournal(path, store);
    EXPECT_EQ(replay.fault, std::nullopt);
    EXPECT_EQ(store.taken, c.taken);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(path))) << "all committed";
    const std::string damaged = DamagedPath(path);
    EXPECT_EQ(ReadWholeFile(damaged).value_or(""), c.aside);
    if (c.aside.empty()) {
      EXPECT_TRUE(replay.told.empty());
      continue;
    }
    ASSERT_EQ(replay.told.size(), 1u);
    EXPECT_NE(replay.told[0].find(c.lines + " " + path), std::string::npos) << replay.told[0];
    EXPECT_NE(replay.told[0].find(damaged), std::string::npos) << replay.told[0];
  }
}

}  // namespace
}  // namespace vx::test
