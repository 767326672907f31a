// The write flow through the shared record, tick by tick: what each verdict
// of the reservation sends, asks and shows, how the outcome settles, and what
// a store lost before or after the write leaves behind.

#include <gtest/gtest.h>

#include "operations/em4100_operations.h"
#include "operations/card_operations.h"
#include "operations/shared_record_flow.h"
#include "operations/shared_bench.h"
#include "store/store_journal.h"

namespace vx::test {
namespace {

// The expected texts name the tab's format as {F}.
std::string In(std::string text, const std::string& format) {
  for (std::size_t at = text.find("{F}"); at != std::string::npos; at = text.find("{F}"))
    text.replace(at, 3, format);
  return text;
}
Strings In(Strings texts, const std::string& format) {
  for (std::string& text : texts) text = In(text, format);
  return texts;
}

// 12,1000 pressed once, or twice with `between` run between the presses, on
// an HID tab and on the EM4100 tab: one flow for both.
TEST(SharedRecordFlow, ReserveWriteSettle) {
  struct Case {
    const char* name;
    std::function<void(SharedBench&, const std::string& format)> setup;
    bool answer;
    std::function<void(SharedBench&)> between;  // null: one press
    Strings questions;
    Strings messages;
    Strings commands;
    Strings banners;
    Strings calls;
    std::optional<std::pair<CredentialState, std::string>> row;  // 12,1000 afterwards, by state and station
    std::string next;                                            // the card number the next press writes
  };
  const Strings written{"write", "read"};
  const auto put = [](CredentialState state, const char* station, const std::string& source = "typed",
                      int entry = 0) {
    return [=](SharedBench& b, const std::string& format) { b.Put(12, 1000, state, station, source, entry, format); };
  };
  const auto faults = [](std::vector<CardFault> list) {
    return [=](SharedBench& b, const std::string&) {
      b.device.faultOf = [=](int i) { return i < static_cast<int>(list.size()) ? list[i] : CardFault::None; };
    };
  };
  const auto none = [](SharedBench&, const std::string&) {};
  const std::string lost = "The shared record cannot be reached: db1: server closed the connection unexpectedly. "
                           "Nothing was written.";
  const auto tooLong = [](const std::string& column, int limit, int length) {
    return "The shared record refused the card: db1: " + column + " holds at most " + std::to_string(limit) +
           " characters, and this card's value has " + std::to_string(length) + ". Nothing was written.";
  };
  const Case cases[] = {
      {"free", none, false, nullptr, {}, {}, written, {"\u2714 Written and verified: 12,1000"},
       {"Reserve {F} 12,1000", "Settle {F} 12,1000 written"}, {{CredentialState::Written, "DESK-2"}}, "1001"},
      {"written at another station, No", put(CredentialState::Written, "DESK-1", kFile, 17), false, nullptr,
       {"12,1000 ({F}) is already written: 2026-12-01T14:03:12+01:00 at station DESK-1, entry 17 of "
        "C:\\batches\\cards.txt. Write it again?"},
       {}, {}, {"\u2718 Not written: 12,1000 is already written"}, {"Reserve {F} 12,1000"},
       {{CredentialState::Written, "DESK-1"}}, "1000"},
      {"written at another station, Yes", put(CredentialState::Written, "DESK-1"), true, nullptr,
       {"12,1000 ({F}) is already written: 2026-12-01T14:03:12+01:00 at station DESK-1, typed. Write it again?"}, {},
       written, {"\u2714 Written and verified: 12,1000"}, {"Reserve {F} 12,1000", "Settle {F} 12,1000 written"},
       {{CredentialState::Written, "DESK-2"}}, "1001"},
      {"held at another station", put(CredentialState::Reserved, "DESK-1"), true, nullptr, {}, {}, {},
       {"\u2718 Not written: 12,1000 is being written at station DESK-1"}, {"Reserve {F} 12,1000"},
       {{CredentialState::Reserved, "DESK-1"}}, "1000"},
      {"own unknown from an earlier run, No", put(CredentialState::Unknown, "DESK-2"), false, nullptr,
       {"12,1000 ({F}) was left unsettled by an earlier run at station DESK-2 (2026-12-01T14:03:12+01:00, typed): a "
        "card may hold it. Write it again?"},
       {}, {}, {"\u2718 Not written: 12,1000 was left unsettled by an earlier run"}, {"Reserve {F} 12,1000"},
       {{CredentialState::Unknown, "DESK-2"}}, "1000"},
      {"own failed attempt of this run", faults({CardFault::AckNoRead}), false, [](SharedBench&) {}, {}, {},
       {"write", "read", "write", "read"},
       {"\u2718 Not verified: the card did not answer the read-back", "\u2714 Written and verified: 12,1000"},
       {"Reserve {F} 12,1000", "Settle {F} 12,1000 no read-back", "Reserve {F} 12,1000",
        "Settle {F} 12,1000 written"},
       {{CredentialState::Written, "DESK-2"}}, "1001"},
      {"verify failed", faults({CardFault::WrongReadBack}), false, nullptr, {}, {}, written,
       {"\u2718 Verify failed: the card holds 12,1001, not 12,1000"},
       {"Reserve {F} 12,1000", "Settle {F} 12,1000 verify failed"}, std::nullopt, "1000"},
      {"no acknowledgement", faults({CardFault::Silent}), false, nullptr, {}, {}, {"write"},
       {"\u2718 Not written: no answer from the reader/writer"},
       {"Reserve {F} 12,1000", "Settle {F} 12,1000 no acknowledgement"}, {{CredentialState::Unknown, "DESK-2"}},
       "1000"},
      {"no read-back", faults({CardFault::AckNoRead}), false, nullptr, {}, {}, written,
       {"\u2718 Not verified: the card did not answer the read-back"},
       {"Reserve {F} 12,1000", "Settle {F} 12,1000 no read-back"}, {{CredentialState::Unknown, "DESK-2"}}, "1000"},
      {"store lost before the write", [](SharedBench& b, const std::string&) { b.db->unreachable = true; }, false,
       nullptr, {}, {lost}, {}, {"\u2718 " + lost}, {"Reserve {F} 12,1000 (lost)"}, std::nullopt, "1000"},
      // What the rows would hold is checked before anything is sent: a
      // server refuses a value too long for good.
      {"a station too long for its column",
       [](SharedBench& b, const std::string&) {
         // Characters, not bytes: 201 of them in 302 bytes.
         std::string station(100, 'D');
         for (int i = 0; i < 101; ++i) station += "\xC3\xA9";
         b.state.shared.store = std::make_unique<FakeSharedStore>(b.db, station);
       },
       false, nullptr, {}, {tooLong("vx_cards.station", 200, 201)}, {},
       {"\u2718 " + tooLong("vx_cards.station", 200, 201)}, {}, std::nullopt, "1000"},
      {"a port path too long for its column",
       [](SharedBench& b, const std::string&) { b.host.port = {-1, "/dev/serial/by-path/" + std::string(193, 'p')}; },
       false, nullptr, {}, {tooLong("vx_attempts.port", 200, 213)}, {},
       {"\u2718 " + tooLong("vx_attempts.port", 200, 213)}, {}, std::nullopt, "1000"},
      {"store lost after the write, back at the next press",
       [](SharedBench& b, const std::string&) { b.host.AtTick(5, [&b] { b.db->unreachable = true; }); }, false,
       [](SharedBench& b) { b.db->unreachable = false; }, {}, {}, {"write", "read", "write", "read"},
       {"\u2714 Written and verified: 12,1000, not yet in the shared record", "\u2714 Written and verified: 12,1001"},
       // The journal's settle goes in first, before the next card is reserved.
       {"Reserve {F} 12,1000", "Settle {F} 12,1000 written (lost)", "Settle {F} 12,1000 written",
        "Reserve {F} 12,1001", "Settle {F} 12,1001 written"},
       {{CredentialState::Written, "DESK-2"}}, "1002"},
  };
  for (const bool em4100 : {false, true}) {
    for (const Case& c : cases) {
      const std::string format = em4100 ? "EM4100" : "HID26";
      SCOPED_TRACE(format + ": " + c.name);
      SharedBench b;
      std::string& fcText = em4100 ? b.state.Em4100FcText : b.RowOf(Tab("HID26")).FcText;
      std::string& cnText = em4100 ? b.state.Em4100CnText : b.RowOf(Tab("HID26")).CnText;
      fcText = "12";
      cnText = "1000";
      c.setup(b, format);
      b.host.answers = {c.answer};
      const auto press = [&] { em4100 ? Command20_Click(b.dev) : WriteHidCard(b.dev, Tab("HID26")); };
      press();
      if (c.between) {
        c.between(b);
        press();
      }

      EXPECT_EQ(b.host.questions, In(c.questions, format));
      for (const Answer preset : b.host.presets) EXPECT_EQ(preset, Answer::No);
      EXPECT_EQ(b.host.messages, c.messages);
      EXPECT_EQ(Commands(b.link), c.commands);
      EXPECT_EQ(b.BannerTexts(), c.banners);
      EXPECT_EQ(b.db->calls, In(c.calls, format));
      const std::optional<CredentialRow> row = b.db->Row({format, 12, 1000});
      ASSERT_EQ(row.has_value(), c.row.has_value());
      if (row) {
        EXPECT_EQ(row->state, c.row->first);
        EXPECT_EQ(row->station, c.row->second);
      }
      // Every write that reached the device is in the attempts, once.
      EXPECT_EQ(b.db->attempts.size(),
                static_cast<std::size_t>(std::count(c.commands.begin(), c.commands.end(), "write")));
      EXPECT_EQ(cnText, c.next);
      EXPECT_EQ(b.state.shared.stoppedBy.has_value(), !c.messages.empty());
    }
  }
}

// A settle the server refuses for good, at the press or from the journal at
// the next press, is kept aside beside the journal: it is never retried nor
// dropped, its reservation stands, and the next card goes on.
TEST(SharedRecordFlow, RefusedSettleIsKeptAsideAndTheNextCardGoesOn) {
  struct Case {
    const char* name;
    std::function<void(SharedBench&)> setup, between;
    Strings banners, calls;
  };
  const auto refuse = [](SharedBench& b) { b.db->refuses = {"Settle HID26 12,1000"}; };
  const Case cases[] = {
      {"refused at the press", refuse, [](SharedBench&) {},
       {"\u2714 Written and verified: 12,1000, not in the shared record (it refused it): kept in {R}",
        "\u2714 Written and verified: 12,1001"},
       {"Reserve HID26 12,1000", "Settle HID26 12,1000 written (refused)", "Reserve HID26 12,1001",
        "Settle HID26 12,1001 written"}},
      {"refused from the journal at the next press",
       [](SharedBench& b) { b.host.AtTick(5, [&b] { b.db->unreachable = true; }); },
       [&](SharedBench& b) {
         b.db->unreachable = false;
         refuse(b);
       },
       {"\u2714 Written and verified: 12,1000, not yet in the shared record", "\u2714 Written and verified: 12,1001"},
       {"Reserve HID26 12,1000", "Settle HID26 12,1000 written (lost)", "Settle HID26 12,1000 written (refused)",
        "Reserve HID26 12,1001", "Settle HID26 12,1001 written"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SharedBench b;
    b.RowOf(Tab("HID26")).FcText = "12";
    b.RowOf(Tab("HID26")).CnText = "1000";
    const std::string refused = RefusedPath(b.state.shared.journalPath);
    const auto inFile = [&](std::string text) {
      for (std::size_t at = text.find("{R}"); at != std::string::npos; at = text.find("{R}")) text.replace(at, 3, refused);
      return text;
    };
    c.setup(b);
    WriteHidCard(b.dev, Tab("HID26"));
    c.between(b);
    WriteHidCard(b.dev, Tab("HID26"));

    Strings banners;
    for (const std::string& banner : c.banners) banners.push_back(inFile(banner));
    EXPECT_EQ(b.BannerTexts(), banners);
    EXPECT_EQ(b.host.messages,
              Strings{inFile("The shared record refused the outcome of 12,1000 (HID26) (written): db1: value too "
                             "long for type character varying(64). It is kept in {R}, and its reservation stands as "
                             "this station's, so no other station takes it; the next card goes on.")});
    EXPECT_EQ(b.db->calls, c.calls);
    EXPECT_FALSE(b.state.shared.stoppedBy.has_value());
    // Still this station's reservation: no other station writes it meanwhile.
    const std::optional<CredentialRow> row = b.db->Row({"HID26", 12, 1000});
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->state, CredentialState::Reserved);
    EXPECT_EQ(row->station, "DESK-2");
    JournalText aside, journal;
    ASSERT_EQ(ReadJournal(refused, aside), std::nullopt);
    ASSERT_EQ(aside.entries.size(), 1u);
    EXPECT_EQ(aside.entries[0].credential, (Credential{"HID26", 12, 1000}));
    EXPECT_EQ(aside.entries[0].attempt.line.outcome, "written");
    ASSERT_EQ(ReadJournal(b.state.shared.journalPath, journal), std::nullopt);
    EXPECT_TRUE(journal.entries.empty());
  }
}

}  // namespace
}  // namespace vx::test
