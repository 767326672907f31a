#include "operations/shared_record_connection.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "store/store_journal.h"
#include "support/fake_shared_store.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

// What a connection reached leaves in the shared record's state: the store,
// the station's lock, and a journal only for a run of cards with a folder,
// under the station's name as held to the rule (its folder made then).
TEST(SharedRecordConnection, TakesUpTheStoreTheLockAndTheJournal) {
  struct Case {
    const char* what;
    bool withFolder;
    bool journal;
    bool journalled;  // a journal's path is set, its folder made
  };
  const Case cases[] = {
      {"a run of cards", true, true, true},
      {"the store's own commands", true, false, false},
      {"no folder", false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFile home("", "placeholder");
    const std::string folder = home.dir() + "/user";
    auto db = std::make_shared<FakeDatabase>();
    int locks = 0;
    SharedRecordAccess access;
    access.station = "  DESK-2 ";
    access.userFolder = c.withFolder ? folder : std::string();
    access.lockStation = [&](const std::string& station, std::unique_ptr<StationLock>& lock) {
      EXPECT_EQ(station, "DESK-2");
      ++locks;
      lock = std::make_unique<StationLock>();
      return std::optional<std::string>();
    };
    access.connect = [&](const std::string&, const std::string& station, std::unique_ptr<SharedStore>& store) {
      store = std::make_unique<FakeSharedStore>(db, station);
      return std::optional<StoreFault>();
    };
    SharedRecordState shared;
    shared.journalPath = "left from before";
    SharedRecordConnection reach(access);
    ASSERT_EQ(reach.CheckStation(), std::nullopt);
    ASSERT_EQ(reach.LockStation(), std::nullopt);
    ASSERT_EQ(reach.Connect("cards"), std::nullopt);
    reach.TakeUp(shared, c.journal);

    EXPECT_EQ(locks, 1);
    EXPECT_NE(shared.stationLock, nullptr);
    ASSERT_NE(shared.store, nullptr);
    EXPECT_EQ(shared.store->Station(), "DESK-2");
    EXPECT_EQ(shared.journalPath, c.journalled ? JournalPath(folder, "DESK-2") : std::string());
    EXPECT_EQ(std::filesystem::is_directory(folder), c.journalled);
  }
}

}  // namespace
}  // namespace vx::test
