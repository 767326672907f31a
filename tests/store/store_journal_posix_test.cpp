// The journal's files on POSIX: private to their user, and never read or
// written through a symbolic link planted where one of them goes.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/text_file.h"
#include "store/store_journal.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

JournalEntry Entry(std::uint32_t cardNumber) {
  JournalEntry e;
  e.credential = {"HID26", 12, cardNumber};
  e.verdict = CardVerdict::Written;
  e.attempt.station = "DESK-2";
  e.attempt.line.time = "2026-12-08T10:00:00.125+01:00";
  e.attempt.line.outcome = "written";
  return e;
}

unsigned ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 0777;
}

// A settle store that refuses every settle for good.
class RefusingStore : public SharedStore {
 public:
  StorePlace Place() const override { return {"cards", "db1", "DESK-2", std::nullopt}; }
  const std::string& Station() const override { return station_; }
  std::optional<StoreFault> Settle(const Credential&, const Reservation&, CardVerdict, const Attempt&) override {
    return StoreFault{"db1", "permission denied", true};
  }
  std::optional<StoreFault> Reserve(const Credential&, const std::string&, int, Reservation&) override { return {}; }
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
  std::optional<StoreFault> GiveBack(const Credential&) override { return {}; }

 private:
  std::string station_ = "DESK-2";
};

// Whatever the link points at is left as it was: an existing file keeps its
// bytes, an absent one is not made.
TEST(StoreJournalPosix, ALinkInAFilesPlaceIsRefused) {
  struct Case {
    const char* name;
    std::function<std::string(const std::string& journal)> linked;  // which file is a link
    std::function<std::optional<std::string>(const std::string& journal)> use;
  };
  const auto journalItself = [](const std::string& journal) { return journal; };
  const auto damagedLine = [](const std::string& journal) {
    std::ofstream(std::filesystem::path(journal), std::ios::binary) << "not an entry\n";
  };
  const Case cases[] = {
      {"appending to the journal", journalItself,
       [](const std::string& journal) { return AppendJournal(journal, Entry(1)); }},
      {"reading the journal", journalItself,
       [](const std::string& journal) {
         JournalText text;
         return ReadJournal(journal, text);
       }},
      {"keeping a refused settle aside", RefusedPath,
       [](const std::string& journal) {
         EXPECT_EQ(AppendJournal(journal, Entry(1)), std::nullopt);
         RefusingStore store;
         const JournalReplay replay = ReplayJournal(journal, store);
         JournalText left;
         EXPECT_EQ(ReadJournal(journal, left), std::nullopt);
         EXPECT_EQ(left.entries.size(), 1u) << "kept in the journal when it cannot be kept aside";
         return replay.fault ? std::optional<std::string>(replay.fault->reason) : std::nullopt;
       }},
      {"keeping a damaged line aside", DamagedPath,
       [&](const std::string& journal) {
         damagedLine(journal);
         RefusingStore store;
         const JournalReplay replay = ReplayJournal(journal, store);
         EXPECT_EQ(ReadWholeFile(journal).value_or(""), "not an entry\n") << "the journal left as it was";
         return replay.fault ? std::optional<std::string>(replay.fault->reason) : std::nullopt;
       }},
  };
  for (const Case& c : cases) {
    for (const bool targetExists : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (targetExists ? ", to a file" : ", to nothing"));
      TempFile dir("precious\n", "target.txt");
      const std::string journal = JournalPath(dir.dir(), "DESK-2");
      const std::string target = targetExists ? dir.path() : dir.absent();
      ASSERT_EQ(::symlink(target.c_str(), c.linked(journal).c_str()), 0);
      const std::optional<std::string> error = c.use(journal);
      ASSERT_TRUE(error.has_value());
      EXPECT_NE(error->find("symbolic link"), std::string::npos) << *error;
      EXPECT_NE(error->find(c.linked(journal)), std::string::npos) << *error;
      if (targetExists) {
        EXPECT_EQ(ReadWholeFile(target).value_or(""), "precious\n");
      } else {
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(target)));
      }
    }
  }
}

// The journal and what it keeps aside are for their user alone, in a folder
// that is too, whatever the umask and whatever an older journal had.
TEST(StoreJournalPosix, FilesAndFolderArePrivate) {
  struct Case {
    const char* name;
    unsigned folderBefore, journalBefore;  // 0: absent
  };
  const Case cases[] = {
      {"made new", 0, 0},
      {"an open folder and journal", 0755, 0644},
      {"a private one", 0700, 0600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFile dir("");
    const std::string folder = dir.dir() + "/user/vandorix";
    const std::string journal = JournalPath(folder, "DESK-2");
    if (c.folderBefore) {
      std::filesystem::create_directories(folder);
      ::chmod(folder.c_str(), c.folderBefore);
    }
    if (c.journalBefore) {
      std::ofstream(std::filesystem::path(journal), std::ios::binary) << "not an entry\n";
      ::chmod(journal.c_str(), c.journalBefore);
    }
    // Modes as made, not as the umask narrows them.
    const mode_t umask = ::umask(0);
    EXPECT_EQ(AppendJournal(journal, Entry(1)), std::nullopt);
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(journal), 0600u);
    RefusingStore store;
    const JournalReplay replay = ReplayJournal(journal, store);
    ::umask(umask);
    EXPECT_EQ(replay.fault, std::nullopt);
    EXPECT_EQ(ModeOf(RefusedPath(journal)), 0600u);
    if (c.journalBefore) {
      EXPECT_EQ(ModeOf(DamagedPath(journal)), 0600u);
    }
  }
}

}  // namespace
}  // namespace vx::test
