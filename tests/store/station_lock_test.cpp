// One program at a time per station on a computer: a second lock on a station
// is refused, naming it, until the first is released.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "store/station_lock.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

TEST(StationLock, ASecondHolderIsRefusedUntilTheFirstLetsGo) {
  struct Case {
    const char* what;
    std::string first;
    std::string second;
    bool releaseFirst;
    std::string refusal;  // empty: the second is taken
  };
  const std::string inUse =
      "Station DESK-2 is already in use by another program on this computer. Close that program, or start this one "
      "with another station's name (--station NAME).";
  const Case cases[] = {
      {"the same station twice", "DESK-2", "DESK-2", false, inUse},
      {"another station", "DESK-2", "DESK-3", false, ""},
      {"a name whose file name is escaped", "DESK 2/..", "DESK 2/..", false,
       "Station DESK 2/.. is already in use by another program on this computer. Close that program, or start this "
       "one with another station's name (--station NAME)."},
      {"after the first is released", "DESK-2", "DESK-2", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFile folder("", "placeholder");
    // A folder not made yet, as on a station's first connection.
    const std::string userFolder = folder.dir() + "/vandorix-programmer";
    std::unique_ptr<StationLock> first, second;
    ASSERT_EQ(LockStation(userFolder, c.first, first), std::nullopt);
    ASSERT_NE(first, nullptr);
    if (c.releaseFirst) first.reset();
    const std::optional<std::string> refusal = LockStation(userFolder, c.second, second);
    EXPECT_EQ(refusal.value_or(""), c.refusal);
    EXPECT_EQ(second != nullptr, c.refusal.empty());
  }
}

}  // namespace
}  // namespace vx::test
