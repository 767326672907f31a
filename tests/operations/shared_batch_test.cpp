// One card-number file drained by several stations: what a press of Write
// Card writes when others have taken entries, and what the batch line says.

#include <gtest/gtest.h>

#include "operations/shared_batch.h"
#include "operations/card_operations.h"
#include "operations/shared_bench.h"

namespace vx::test {
namespace {

struct Taken {
  std::uint32_t cn;  // of 12,cn, entry cn of the file
  CredentialState state;
  const char* station;
  bool typed = false;  // written as a typed card, not as its entry
};

// The list 12,1 .. 12,4 of one file, "Use Database" ticked, HID26 in front.
TEST(SharedBatch, PassesOverEntriesTakenElsewhere) {
  struct Case {
    const char* name;
    std::vector<Taken> before;  // rows when the batch starts
    int presses;
    std::vector<Taken> between;  // rows another station adds after the first press
    std::vector<std::uint32_t> written;  // the card numbers sent, in order
    Strings questions;
    Strings messages;
    std::string progress;  // the batch line afterwards
    std::string boxes;     // the tab's boxes afterwards
  };
  using S = CredentialState;
  const Case cases[] = {
      {"free", {}, 1, {}, {1}, {}, {}, "Next card: 2 of 4 (1 written here, 0 at other stations)", "12/2"},
      {"written at another station", {{1, S::Written, "DESK-1"}}, 1, {}, {2}, {}, {},
       "Next card: 3 of 4 (1 written here, 1 at other stations)", "12/3"},
      {"reserved and unknown at other stations", {{1, S::Reserved, "DESK-1"}, {2, S::Unknown, "DESK-3"}}, 1, {},
       {3}, {}, {}, "Next card: 4 of 4 (1 written here, 2 at other stations)", "12/4"},
      {"left unsettled by this station's earlier run", {{1, S::Unknown, "DESK-2"}}, 1, {}, {2}, {}, {},
       "Next card: 3 of 4 (1 written here, 0 at other stations)", "12/3"},
      {"written here earlier from this entry", {{1, S::Written, "DESK-2"}}, 1, {}, {2}, {}, {},
       "Next card: 3 of 4 (2 written here, 0 at other stations)", "12/3"},
      {"written here earlier from the entry after the card", {{2, S::Written, "DESK-2"}}, 1, {}, {1}, {}, {},
       "Next card: 3 of 4 (2 written here, 0 at other stations)", "12/3"},
      {"written here as a typed card", {{1, S::Written, "DESK-2", true}}, 1, {}, {},
       {"12,1 (HID26) is already written: 2026-12-01T14:03:12+01:00 at station DESK-2, typed. Write it again?"}, {},
       "Next card: 1 of 4 (1 written here, 0 at other stations)", "12/1"},
      {"the entries after the card taken", {{2, S::Written, "DESK-1"}, {3, S::Reserved, "DESK-3"}}, 1, {}, {1}, {},
       {}, "Next card: 4 of 4 (1 written here, 2 at other stations)", "12/4"},
      {"no free entry after the card",
       {{2, S::Written, "DESK-1"}, {3, S::Written, "DESK-1"}, {4, S::Reserved, "DESK-3"}}, 1, {}, {1}, {},
       {" The Card is End!"}, "No free card left (1 written here, 3 at other stations)", "12/1"},
      {"no free entry at all",
       {{1, S::Written, "DESK-1"}, {2, S::Written, "DESK-1"}, {3, S::Written, "DESK-3"}, {4, S::Reserved, "DESK-3"}},
       1, {}, {}, {}, {" The Card is End!"}, "No free card left (0 written here, 4 at other stations)", "12/1"},
      {"the next entry taken meanwhile", {}, 2, {{2, S::Reserved, "DESK-1"}}, {1, 3}, {}, {},
       "Next card: 4 of 4 (2 written here, 1 at other stations)", "12/4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SharedBench b;
    const auto put = [&](const Taken& t) {
      b.Put(12, t.cn, t.state, t.station, t.typed ? "typed" : kFile, t.typed ? 0 : static_cast<int>(t.cn));
    };
    for (const Taken& t : c.before) put(t);
    b.LoadCards({{12, 1}, {12, 2}, {12, 3}, {12, 4}});
    b.state.cards.sourcePath = kFile;
    b.host.useDatabase = true;
    b.host.frontTab = Tab("HID26").position;
    b.host.SetBoxText(Tab("HID26").fcBox, "12");
    b.host.SetBoxText(Tab("HID26").cnBox, "1");
    ReportSharedBatchProgress(b.state, b.host, "HID26");  // as Browse leaves it
    for (int press = 0; press < c.presses; ++press) {
      if (press == 1)
        for (const Taken& t : c.between) put(t);
      WriteHidCard(b.dev, Tab("HID26"));
    }

    std::vector<std::uint32_t> written;
    for (const Bytes& frame : b.link.written)
      if (frame[2] == 0xA5) written.push_back(static_cast<std::uint32_t>(frame[12] << 16 | frame[13] << 8 | frame[14]));
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(b.host.questions, c.questions);
    EXPECT_EQ(b.host.messages, c.messages);
    EXPECT_EQ(b.host.batchProgress, c.progress);
    EXPECT_EQ(b.Boxes(Tab("HID26")), c.boxes);
  }
}

}  // namespace
}  // namespace vx::test
