// Where the shared record is, as the line under the "Shared Record" box and
// vandorix-card say it: ", not encrypted" only when the engine said the
// connection is not; an engine that was not asked, or said yes, adds nothing.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "window/shared_record_box.h"
#include "store/shared_store.h"

namespace vx {
namespace {

TEST(SharedRecordLine, SaysWhenTheConnectionIsNotEncrypted) {
  struct Row {
    StorePlace place;
    const char* line;   // under the box
    const char* where;  // PlaceText, as vandorix-card prints it
  };
  const Row rows[] = {
      {{"cards", "db1", "DESK-2", false}, "Shared record: cards on db1, station DESK-2, not encrypted",
       "cards on db1, station DESK-2, not encrypted"},
      {{"cards", "db1", "DESK-2", true}, "Shared record: cards on db1, station DESK-2",
       "cards on db1, station DESK-2"},
      {{"cards", "db1", "DESK-2", std::nullopt}, "Shared record: cards on db1, station DESK-2",
       "cards on db1, station DESK-2"},
      {{"", "db1", "DESK-2", false}, "Shared record: db1, station DESK-2, not encrypted",
       "db1, station DESK-2, not encrypted"},
      {{"cards", "", "DESK-2", true}, "Shared record: cards, station DESK-2", "cards, station DESK-2"},
      {{"", "db1", "DESK-2", std::nullopt}, "Shared record: db1, station DESK-2", "db1, station DESK-2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(SharedRecordLine(row.place), row.line);
    EXPECT_EQ(PlaceText(row.place), row.where);
  }
}

}  // namespace
}  // namespace vx
