// The record's guards ask the shared record when it is on: Check Card
// First's look at the card on the reader, and Browse's count of entries
// already issued.

#include <gtest/gtest.h>

#include "operations/database.h"
#include "operations/card_operations.h"
#include "operations/shared_bench.h"
#include "operations/write_guards.h"

namespace vx::test {
namespace {

CardInFieldDevice::Data HidCard(std::uint32_t fc, std::uint32_t cn) {
  const CardData data = EncodeHidCardData(fc, cn);
  return {data[0], data[1], data[2], data[3], data[4]};
}

// 12,1004 written with "Check Card First" ticked and another card on the reader.
TEST(SharedGuards, CardOnTheReaderLookedUpInTheSharedRecord) {
  struct Case {
    const char* name;
    std::function<void(SharedBench&)> setup;
    bool answer;
    Strings questions;
    Strings commands;
    Strings calls;
    bool reserved;  // 12,1004 is in the shared record afterwards
  };
  const Case cases[] = {
      {"holds a credential written at another station, No",
       [](SharedBench& b) { b.Put(12, 997, CredentialState::Written, "DESK-1"); }, false,
       {"This card already holds 12,997, written 2026-12-01T14:03:12+01:00 at station DESK-1. Overwrite it?"},
       {"read"}, {"Reserve HID26 12,1004", "Find HID26 12,997", "GiveBack HID26 12,1004"}, false},
      {"holds a credential written at another station, Yes",
       [](SharedBench& b) { b.Put(12, 997, CredentialState::Written, "DESK-1"); }, true,
       {"This card already holds 12,997, written 2026-12-01T14:03:12+01:00 at station DESK-1. Overwrite it?"},
       {"read", "write", "read"}, {"Reserve HID26 12,1004", "Find HID26 12,997", "Settle HID26 12,1004 written"},
       true},
      {"holds one only being written elsewhere",
       [](SharedBench& b) { b.Put(12, 997, CredentialState::Reserved, "DESK-1"); }, false, {},
       {"read", "write", "read"}, {"Reserve HID26 12,1004", "Find HID26 12,997", "Settle HID26 12,1004 written"},
       true},
      {"the card just written", [](SharedBench& b) { b.state.lastWritten = LastWrittenCard{"HID26", 12, 997}; },
       false, {}, {"read"}, {"Reserve HID26 12,1004", "GiveBack HID26 12,1004"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SharedBench b;
    b.device.card = HidCard(12, 997);
    c.setup(b);
    CheckCardFirst_Click(b.state, true);
    b.host.answers = {c.answer};
    b.RowOf(Tab("HID26")).FcText = "12";
    b.RowOf(Tab("HID26")).CnText = "1004";

    WriteHidCard(b.dev, Tab("HID26"));

    EXPECT_EQ(b.host.questions, c.questions);
    EXPECT_EQ(Commands(b.link), c.commands);
    EXPECT_EQ(b.db->calls, c.calls);
    EXPECT_EQ(b.db->Row({"HID26", 12, 1004}).has_value(), c.reserved);
  }
}

// Browse counts the entries the shared record has as written in any format,
// save those written from this very file at that very entry: draining the
// file together is the batch's own business.
TEST(SharedGuards, BrowseCountsEntriesIssuedElsewhere) {
  SharedBench b;
  TempFile cards("12,1\n12,2\n12,3\n12,4\n12,5\n");
  b.Put(12, 1, CredentialState::Written, "DESK-1", cards.path(), 1);  // this entry: not counted
  b.Put(12, 2, CredentialState::Written, "DESK-1", cards.path(), 4);  // another entry
  b.Put(12, 3, CredentialState::Written, "DESK-2");                   // typed
  b.Put(12, 4, CredentialState::Written, "DESK-3", "typed", 0, "EM4100");
  b.Put(12, 5, CredentialState::Reserved, "DESK-3");                  // not written
  b.host.chosenFile = cards.path();
  b.host.frontTab = Tab("HID26").position;

  Command2_Click(b.state, b.host);

  EXPECT_EQ(b.host.messages,
            Strings{"The shared record already has 3 of the 5 entries of cards.txt as written (typed, from another "
                    "file or at another entry). Write Card passes over those of other stations and asks before "
                    "writing one again."});
  // The batch line counts in the format of the tab in front.
  EXPECT_EQ(b.host.batchProgress, "Next card: 1 of 5 (1 written here, 3 at other stations)");
}

}  // namespace
}  // namespace vx::test
