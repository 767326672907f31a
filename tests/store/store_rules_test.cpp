// The shared record's rules against each engine it is tested on: the servers
// come from scripts/with-databases (VX_TEST_PG, VX_TEST_MARIADB), and each
// test starts from no tables at all. Without a server the tests are skipped.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <regex>
#include <thread>

#include "store/store_connection.h"
#include "store/store_journal.h"
#include "store_odbc/odbc_session.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

struct Engine {
  const char* name;
  const char* connectionVariable;
  const char* restartVariable;
  const char* freezeVariable;
  const char* thawVariable;
};
const Engine kEngines[] = {
    {"PostgreSQL", "VX_TEST_PG", "VX_TEST_PG_RESTART", "VX_TEST_PG_FREEZE", "VX_TEST_PG_THAW"},
    {"MariaDB", "VX_TEST_MARIADB", "VX_TEST_MARIADB_RESTART", "VX_TEST_MARIADB_FREEZE", "VX_TEST_MARIADB_THAW"},
};

// The command in `variable`, or empty when there is none.
std::string CommandIn(const char* variable) {
  const char* command = std::getenv(variable);
  return command ? command : "";
}

void PrintTo(const Engine& engine, std::ostream* out) { *out << engine.name; }

const Credential kCard{"HID26", 12, 1000};

// Attempts of one station differ in their time, as a card takes far longer
// than a millisecond.
Attempt AttemptOf(const std::string& station, const Credential& c, CardVerdict verdict, const std::string& source = "typed") {
  static int made = 0;
  char time[64];
  std::snprintf(time, sizeof time, "2026-12-09T10:%02d:%02d.%03d+01:00", made / 60000 % 60, made / 1000 % 60,
                made % 1000);
  ++made;
  const char* outcome = verdict == CardVerdict::Written ? "written" : "failed";
  return {{time, "COM3", "HID  WG26", c.format, 8, 16, 0, 0, std::to_string(c.facilityCode),
           std::to_string(c.cardNumber), source, 0, outcome, "", ""},
          station};
}

class StoreRules : public testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    const char* connection = std::getenv(GetParam().connectionVariable);
    if (!connection || !*connection)
      GTEST_SKIP() << GetParam().connectionVariable << " is not set: no " << GetParam().name
                   << " server to test against (scripts/with-databases starts one)";
    connection_ = connection;
    ASSERT_EQ(look_.Connect(connection_), std::nullopt);
    DropTables();
  }

  void DropTables() {
    for (const char* table : {"vx_attempts", "vx_cards", "vx_schema"}) {
      if (look_.Execute(std::string("DROP TABLE ") + table)) look_.Rollback();
      look_.Commit();
    }
  }

  std::unique_ptr<SharedStore> Connect(const std::string& station) {
    std::unique_ptr<SharedStore> store;
    const auto fault = ConnectSharedStore(connection_, station, store);
    EXPECT_EQ(fault, std::nullopt) << fault->Message();
    return store;
  }

  // The rows of a query, each as its columns joined by "|".
  std::vector<std::string> Rows(const std::string& sql) {
    odbc::Result result;
    const auto error = look_.Execute(sql, {}, &result);
    look_.Rollback();
    if (error) return {error->sqlState.starts_with("42") ? "no such table" : "error " + error->sqlState};
    std::vector<std::string> rows;
    for (const odbc::Row& row : result.rows) {
      std::string text;
      for (std::size_t i = 0; i < row.size(); ++i) text += (i ? "|" : "") + row[i].value_or("NULL");
      rows.push_back(text);
    }
    return rows;
  }
  std::vector<std::string> Cards() { return Rows("SELECT card_number, state, station FROM vx_cards ORDER BY card_number"); }
  std::vector<std::string> Attempts() { return Rows("SELECT card_number, station, outcome FROM vx_attempts ORDER BY time"); }

  std::string connection_;
  odbc::Session look_;
};

std::optional<StoreFault> Settled(SharedStore& store, const Reservation& r, CardVerdict verdict) {
  return store.Settle(kCard, r, verdict, AttemptOf(store.Station(), kCard, verdict));
}

// What the credential's row was before DESK-2 asks for it.
enum class Before { Free, WrittenAtDesk1, ReservedAtDesk1, UnknownAtDesk1, OwnUnknownThisRun, OwnEarlierRun };

TEST_P(StoreRules, ReserveAndSettle) {
  struct Case {
    const char* name;
    Before before;
    ReserveVerdict verdict;
    std::optional<CardVerdict> outcome;  // the card written, and what became of it
    std::vector<std::string> cards;      // vx_cards afterwards
    std::vector<std::string> attempts;   // vx_attempts afterwards
  };
  const Case cases[] = {
      {"free, verified", Before::Free, ReserveVerdict::Won, CardVerdict::Written, {"1000|written|DESK-2"},
       {"1000|DESK-2|written"}},
      {"free, verify failed", Before::Free, ReserveVerdict::Won, CardVerdict::VerifyFailed, {}, {"1000|DESK-2|failed"}},
      {"free, no acknowledgement", Before::Free, ReserveVerdict::Won, CardVerdict::NoAcknowledgement,
       {"1000|unknown|DESK-2"}, {"1000|DESK-2|failed"}},
      {"free, no read-back", Before::Free, ReserveVerdict::Won, CardVerdict::NoReadBack, {"1000|unknown|DESK-2"},
       {"1000|DESK-2|failed"}},
      {"written elsewhere, No", Before::WrittenAtDesk1, ReserveVerdict::WrittenBefore, std::nullopt,
       {"1000|written|DESK-1"}, {"1000|DESK-1|written"}},
      {"written elsewhere, Yes, verified", Before::WrittenAtDesk1, ReserveVerdict::WrittenBefore, CardVerdict::Written,
       {"1000|written|DESK-2"}, {"1000|DESK-1|written", "1000|DESK-2|written"}},
      {"written elsewhere, Yes, no read-back", Before::WrittenAtDesk1, ReserveVerdict::WrittenBefore,
       CardVerdict::NoReadBack, {"1000|written|DESK-1"}, {"1000|DESK-1|written", "1000|DESK-2|failed"}},
      {"written elsewhere, Yes, verify failed", Before::WrittenAtDesk1, ReserveVerdict::WrittenBefore,
       CardVerdict::VerifyFailed, {"1000|written|DESK-1"}, {"1000|DESK-1|written", "1000|DESK-2|failed"}},
      {"reserved elsewhere", Before::ReservedAtDesk1, ReserveVerdict::HeldElsewhere, std::nullopt,
       {"1000|reserved|DESK-1"}, {}},
      {"unknown elsewhere", Before::UnknownAtDesk1, ReserveVerdict::HeldElsewhere, std::nullopt,
       {"1000|unknown|DESK-1"}, {"1000|DESK-1|failed"}},
      {"own unknown this run, verified", Before::OwnUnknownThisRun, ReserveVerdict::OwnThisRun, CardVerdict::Written,
       {"1000|written|DESK-2"}, {"1000|DESK-2|failed", "1000|DESK-2|written"}},
      // The first attempt's card may hold it still.
      {"own unknown this run, verify failed", Before::OwnUnknownThisRun, ReserveVerdict::OwnThisRun,
       CardVerdict::VerifyFailed, {"1000|unknown|DESK-2"}, {"1000|DESK-2|failed", "1000|DESK-2|failed"}},
      {"own reservation of an earlier run", Before::OwnEarlierRun, ReserveVerdict::OwnEarlierRun, std::nullopt,
       {"1000|reserved|DESK-2"}, {}},
      {"own reservation of an earlier run, Yes, verify failed", Before::OwnEarlierRun, ReserveVerdict::OwnEarlierRun,
       CardVerdict::VerifyFailed, {"1000|reserved|DESK-2"}, {"1000|DESK-2|failed"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DropTables();
    auto desk1 = Connect("DESK-1");
    auto desk2 = Connect("DESK-2");
    ASSERT_TRUE(desk1 && desk2);
    Reservation first;
    switch (c.before) {
      case Before::Free: break;
      case Before::WrittenAtDesk1:
      case Before::ReservedAtDesk1:
      case Before::UnknownAtDesk1:
        ASSERT_EQ(desk1->Reserve(kCard, "typed", 0, first), std::nullopt);
        if (c.before != Before::ReservedAtDesk1) {
          const auto outcome = c.before == Before::WrittenAtDesk1 ? CardVerdict::Written : CardVerdict::NoReadBack;
          ASSERT_EQ(Settled(*desk1, first, outcome), std::nullopt);
        }
        break;
      case Before::OwnUnknownThisRun:
        ASSERT_EQ(desk2->Reserve(kCard, "typed", 0, first), std::nullopt);
        ASSERT_EQ(Settled(*desk2, first, CardVerdict::NoAcknowledgement), std::nullopt);
        break;
      case Before::OwnEarlierRun:
        ASSERT_EQ(Connect("DESK-2")->Reserve(kCard, "typed", 0, first), std::nullopt);
        break;
    }
    Reservation r;
    ASSERT_EQ(desk2->Reserve(kCard, "typed", 0, r), std::nullopt);
    EXPECT_EQ(r.verdict, c.verdict);
    EXPECT_EQ(r.existing.has_value(), c.before != Before::Free);
    if (c.outcome) {
      ASSERT_EQ(Settled(*desk2, r, *c.outcome), std::nullopt);
    }
    EXPECT_EQ(Cards(), c.cards);
    EXPECT_EQ(Attempts(), c.attempts);
  }
}

// The reservation's row as another station sees it, and a question's words
// come from it.
TEST_P(StoreRules, WrittenBeforeCarriesItsRow) {
  auto desk1 = Connect("DESK-1");
  Reservation r;
  ASSERT_EQ(desk1->Reserve(kCard, "C:\\batches\\cards.txt", 17, r), std::nullopt);
  const Attempt attempt = AttemptOf("DESK-1", kCard, CardVerdict::Written, "C:\\batches\\cards.txt");
  ASSERT_EQ(desk1->Settle(kCard, r, CardVerdict::Written, attempt), std::nullopt);
  ASSERT_EQ(Connect("DESK-2")->Reserve(kCard, "typed", 0, r), std::nullopt);
  ASSERT_EQ(r.verdict, ReserveVerdict::WrittenBefore);
  ASSERT_TRUE(r.existing);
  EXPECT_EQ(*r.existing, (CredentialRow{kCard, CredentialState::Written, "DESK-1", r.existing->reservedAt,
                                        attempt.line.time, "C:\\batches\\cards.txt", 0}));
  EXPECT_TRUE(std::regex_match(r.existing->reservedAt, std::regex(R"(\d{4}-\d\d-\d\dT[\d:.]+[+-]\d\d:\d\d)")));
}

// Two stations asking for the same numbers at the same moment: the database
// lets exactly one have each.
TEST_P(StoreRules, RacingStationsWinEachCredentialOnce) {
  constexpr int kCards = 40;
  auto desk1 = Connect("DESK-1");
  auto desk2 = Connect("DESK-2");
  std::atomic<int> won{0}, held{0}, faults{0};
  // Both stations set off on each card together. A barrier of our own: the
  // MinGW build's std::barrier can miss a wake-up and hang.
  std::mutex mutex;
  std::condition_variable turn;
  int arrived = 0, round = 0;
  const auto bothReady = [&] {
    std::unique_lock lock(mutex);
    const int mine = round;
    if (++arrived == 2) {
      arrived = 0;
      ++round;
      turn.notify_all();
    } else {
      turn.wait(lock, [&] { return round != mine; });
    }
  };
  const auto race = [&](SharedStore& store) {
    for (int i = 0; i < kCards; ++i) {
      bothReady();
      Reservation r;
      if (store.Reserve({"HID26", 12, static_cast<std::uint32_t>(i)}, "cards.txt", i + 1, r)) {
        ++faults;
      } else if (r.verdict == ReserveVerdict::Won) {
        ++won;
      } else if (r.verdict == ReserveVerdict::HeldElsewhere) {
        ++held;
      }
    }
  };
  std::thread other(race, std::ref(*desk1));
  race(*desk2);
  other.join();
  EXPECT_EQ(faults, 0);
  EXPECT_EQ(won, kCards);
  EXPECT_EQ(held, kCards);
  EXPECT_EQ(Rows("SELECT COUNT(*) FROM vx_cards"), std::vector<std::string>{std::to_string(kCards)});
}

// Names are values, never SQL: quotes, backslashes and letters outside ASCII
// (and outside the Basic Multilingual Plane) are stored as they are, and a
// long path comes back whole.
TEST_P(StoreRules, NamesAreStoredExactly) {
  std::string folders;
  for (int i = 0; i < 60; ++i) folders += "Außenstelle " + std::to_string(i) + "\\";
  for (const std::string& station : {std::string("O'Brien's desk"), std::string("DESK-2 \xF0\x9F\x94\x91")}) {
    SCOPED_TRACE(station);
    DropTables();
    const std::string path = "C:\\batches\\" + folders + "\"box 2\" Müller's ✓; DROP TABLE vx_cards.txt";
    auto store = Connect(station);
    Reservation r;
    ASSERT_EQ(store->Reserve(kCard, path, 3, r), std::nullopt);
    ASSERT_EQ(store->Settle(kCard, r, CardVerdict::Written, AttemptOf(station, kCard, CardVerdict::Written, path)),
              std::nullopt);
    EXPECT_EQ(Rows("SELECT station, source, entry FROM vx_cards"), std::vector<std::string>{station + "|" + path + "|NULL"});
    EXPECT_EQ(Rows("SELECT station, source FROM vx_attempts"), std::vector<std::string>{station + "|" + path});
    std::optional<CredentialRow> row;
    ASSERT_EQ(store->Find(kCard, row), std::nullopt);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->station, station);
    EXPECT_EQ(row->source, path);
  }
}

// A vx_cards that lacks columns is refused, naming them, and nothing is
// made or written.
TEST_P(StoreRules, IncompleteTableIsRefused) {
  ASSERT_EQ(look_.Execute("CREATE TABLE vx_cards (format VARCHAR(40) NOT NULL, facility_code BIGINT NOT NULL, "
                          "card_number BIGINT NOT NULL, station VARCHAR(200))"),
            std::nullopt);
  ASSERT_EQ(look_.Commit(), std::nullopt);
  std::unique_ptr<SharedStore> store;
  const auto fault = ConnectSharedStore(connection_, "DESK-2", store);
  ASSERT_TRUE(fault);
  EXPECT_FALSE(store);
  EXPECT_NE(fault->Message().find("vx_cards lacks the columns state, reserved_at, written_at, source, entry"),
            std::string::npos)
      << fault->Message();
  EXPECT_EQ(Rows("SELECT * FROM vx_schema"), std::vector<std::string>{"no such table"});
  EXPECT_EQ(Rows("SELECT * FROM vx_attempts"), std::vector<std::string>{"no such table"});
  EXPECT_EQ(Rows("SELECT * FROM vx_cards"), std::vector<std::string>{});
}

// How the operator may name the database, and what a failure says: the
// place and the driver's reason, never the password.
TEST_P(StoreRules, Connecting) {
  TempFile file("");
  {
    // A connection file may hold one attribute to a line.
    std::string lines = std::regex_replace(connection_, std::regex(";"), ";\n");
    std::ofstream(file.path(), std::ios::binary) << lines << "\n";
  }
  std::string password;
  std::smatch found;
  if (std::regex_search(connection_, found, std::regex("Pwd=(\\{([^}]*)\\}|([^;]*))")))
    password = found[2].matched ? found[2] : found[3];
  ASSERT_GE(password.size(), 4u);
  struct Case {
    std::string connection;
    std::string fault;  // a text the message must hold; empty when it connects
  };
  const Case cases[] = {
      {connection_, ""},
      {"@" + file.path(), ""},
      {"@" + file.absent(), "does not exist"},
      {"no such source here", "Data source name not found"},
      {std::regex_replace(connection_, std::regex("Pwd=(\\{[^}]*\\}|[^;]*)"), "Pwd={wrong-" + password + "}"),
       "The shared record cannot be reached: localhost: "},
      {std::regex_replace(connection_, std::regex("(Port=|Socket=)[^;]*"), "$1" + file.absent()),
       "The shared record cannot be reached: localhost: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.connection);
    std::unique_ptr<SharedStore> store;
    const auto fault = ConnectSharedStore(c.connection, "DESK-2", store);
    if (c.fault.empty()) {
      EXPECT_EQ(fault, std::nullopt) << fault->Message();
      ASSERT_TRUE(store);
      EXPECT_TRUE(std::regex_match(store->Where(), std::regex("\\w+ on localhost, station DESK-2(, not encrypted)?")))
          << store->Where();
      continue;
    }
    ASSERT_TRUE(fault);
    EXPECT_NE(fault->Message().find(c.fault), std::string::npos) << fault->Message();
    EXPECT_EQ(fault->Message().find(password), std::string::npos) << fault->Message();
  }
}

// A server restarted between two cards: the next call makes a new connection
// and the batch goes on.
TEST_P(StoreRules, ServerRestartedBetweenCalls) {
  const std::string restart = CommandIn(GetParam().restartVariable);
  if (restart.empty()) GTEST_SKIP() << GetParam().restartVariable << " is not set";
  auto store = Connect("DESK-2");
  Reservation r;
  ASSERT_EQ(store->Reserve({"HID26", 12, 1}, "typed", 0, r), std::nullopt);
  ASSERT_EQ(std::system(restart.c_str()), 0);
  for (std::uint32_t cn : {2u, 3u}) {
    const Credential card{"HID26", 12, cn};
    ASSERT_EQ(store->Reserve(card, "typed", 0, r), std::nullopt);
    EXPECT_EQ(r.verdict, ReserveVerdict::Won);
    EXPECT_EQ(store->Settle(card, r, CardVerdict::Written, AttemptOf("DESK-2", card, CardVerdict::Written)),
              std::nullopt);
  }
  look_.Connect(connection_);
  EXPECT_EQ(Cards(), (std::vector<std::string>{"1|reserved|DESK-2", "2|written|DESK-2", "3|written|DESK-2"}));
}

// A server that answers nothing (frozen, or its network gone) is a fault
// within seconds, never a hang. A reservation it took meanwhile is this
// run's once it answers again, so the next press writes the card.
TEST_P(StoreRules, ServerThatDoesNotAnswer) {
  const std::string freeze = CommandIn(GetParam().freezeVariable), thaw = CommandIn(GetParam().thawVariable);
  if (freeze.empty() || thaw.empty()) GTEST_SKIP() << GetParam().freezeVariable << " is not set";
  auto store = Connect("DESK-2");
  const Credential card{"HID26", 12, 2};
  Reservation r;
  ASSERT_EQ(store->Reserve({"HID26", 12, 1}, "typed", 0, r), std::nullopt);
  ASSERT_EQ(std::system(freeze.c_str()), 0);
  const auto start = std::chrono::steady_clock::now();
  const auto fault = store->Reserve(card, "typed", 0, r);
  const auto waited = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(std::system(thaw.c_str()), 0);
  ASSERT_TRUE(fault);
  EXPECT_NE(fault->Message().find("localhost: the server did not answer"), std::string::npos) << fault->Message();
  EXPECT_LT(waited, std::chrono::seconds(15));
  ASSERT_EQ(store->Reserve(card, "typed", 0, r), std::nullopt);
  EXPECT_EQ(r.verdict, ReserveVerdict::Won);
  EXPECT_EQ(Cards(), (std::vector<std::string>{"1|reserved|DESK-2", "2|reserved|DESK-2"}));
}

// Outcomes kept while the store was lost are committed when it is back, each
// once, however often the journal is replayed.
TEST_P(StoreRules, JournalReplay) {
  TempFile dir("");
  const std::string path = JournalPath(dir.dir());
  auto store = Connect("DESK-2");
  std::vector<JournalEntry> kept;
  for (std::uint32_t cn : {1u, 2u}) {
    JournalEntry e;
    e.credential = {"HID26", 12, cn};
    ASSERT_EQ(store->Reserve(e.credential, "typed", 0, e.before), std::nullopt);
    e.verdict = cn == 1 ? CardVerdict::Written : CardVerdict::NoReadBack;
    e.attempt = AttemptOf("DESK-2", e.credential, e.verdict);
    ASSERT_EQ(AppendJournal(path, e), std::nullopt);
    kept.push_back(e);
  }
  // The program ended before the store was back.
  store = Connect("DESK-2");
  EXPECT_EQ(ReplayJournal(path, *store).fault, std::nullopt);
  EXPECT_EQ(Cards(), (std::vector<std::string>{"1|written|DESK-2", "2|unknown|DESK-2"}));
  // The journal was not cleared before a crash: the same outcomes again.
  ASSERT_EQ(RewriteJournal(path, kept), std::nullopt);
  EXPECT_EQ(ReplayJournal(path, *store).fault, std::nullopt);
  EXPECT_EQ(Attempts(), (std::vector<std::string>{"1|DESK-2|written", "2|DESK-2|failed"}));
  JournalText left;
  EXPECT_EQ(ReadJournal(path, left), std::nullopt);
  EXPECT_TRUE(left.entries.empty());
}

// What a batch and a supervisor see: the entries' rows, this station's
// reservations left by an earlier run, their resolution, the counts, and a
// release that never frees a written credential.
TEST_P(StoreRules, EarlierRunsAndSupervision) {
  const auto card = [](std::uint32_t cn) { return Credential{"HID26", 12, cn}; };
  Reservation r;
  {
    auto crashed = Connect("DESK-2");  // a run that ended without settling
    for (std::uint32_t cn : {1u, 2u, 3u}) ASSERT_EQ(crashed->Reserve(card(cn), "cards.txt", cn, r), std::nullopt);
  }
  auto desk1 = Connect("DESK-1");
  ASSERT_EQ(desk1->Reserve(card(5), "cards.txt", 5, r), std::nullopt);
  ASSERT_EQ(desk1->Settle(card(5), r, CardVerdict::Written, AttemptOf("DESK-1", card(5), CardVerdict::Written)),
            std::nullopt);
  auto store = Connect("DESK-2");
  ASSERT_EQ(store->Reserve(card(4), "cards.txt", 4, r), std::nullopt);

  std::vector<CredentialRow> unsettled;
  ASSERT_EQ(store->UnsettledFromEarlierRuns(unsettled), std::nullopt);
  ASSERT_EQ(unsettled.size(), 3u);
  EXPECT_EQ(unsettled[2].credential, card(3));
  EXPECT_EQ(unsettled[2].entry, 3);
  ASSERT_EQ(store->Resolve(card(1), CredentialState::Written), std::nullopt);
  ASSERT_EQ(store->Resolve(card(2), CredentialState::Unknown), std::nullopt);

  EntryStates states;
  const std::vector<CardNumbers> list = {{12, 1}, {12, 5}, {12, 6}, {12, 3}, {13, 1}, {12, 5}};
  ASSERT_EQ(store->FindMany("HID26", list, states), std::nullopt);
  std::vector<std::string> seen;
  for (const auto& row : states.rows)
    seen.push_back(row ? std::string(StateWord(row->state)) + "@" + row->station : "free");
  EXPECT_EQ(seen, (std::vector<std::string>{"written@DESK-2", "written@DESK-1", "free", "reserved@DESK-2", "free",
                                            "written@DESK-1"}));

  StoreStatus status;
  ASSERT_EQ(store->Status(status), std::nullopt);
  std::vector<std::string> counts;
  for (const auto& count : status.counts)
    counts.push_back(count.station + " " + StateWord(count.state) + " " + std::to_string(count.count));
  EXPECT_EQ(counts, (std::vector<std::string>{"DESK-1 written 1", "DESK-2 reserved 2", "DESK-2 unknown 1",
                                              "DESK-2 written 1"}));
  ASSERT_EQ(status.unknown.size(), 1u);
  EXPECT_EQ(status.unknown[0].credential, card(2));
  EXPECT_TRUE(status.staleReservations.empty());

  for (const auto& [cn, expected] : {std::pair{2u, true}, std::pair{5u, false}, std::pair{9u, false}}) {
    bool released = !expected;
    ASSERT_EQ(store->Release(card(cn), released), std::nullopt);
    EXPECT_EQ(released, expected) << cn;
  }
  EXPECT_EQ(Cards(), (std::vector<std::string>{"1|written|DESK-2", "3|reserved|DESK-2", "4|reserved|DESK-2",
                                               "5|written|DESK-1"}));
}

// The throw-away servers take connections in clear, and each engine, asked
// once connected, says so.
TEST_P(StoreRules, EngineSaysTheConnectionIsNotEncrypted) {
  auto store = Connect("DESK-2");
  ASSERT_TRUE(store);
  EXPECT_EQ(store->Place().encrypted, std::optional<bool>(false));
}

INSTANTIATE_TEST_SUITE_P(Engines, StoreRules, testing::ValuesIn(kEngines),
                         [](const testing::TestParamInfo<Engine>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vx::test
