// The shared record's rules against each engine it is tested on: the servers
// come from scripts/with-databases (VX_TEST_PG, VX_TEST_MARIADB), and each
// test starts from no tables at all. Without a server the tests are skipped.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <regex>
#include <thread>

#include "store/store_columns.h"
#include "store/store_connection.h"
#include "store/store_journal.h"
#include "store_odbc/odbc_session.h"
#include "store_odbc/store_roles.h"
#include "store_odbc/store_schema.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

struct Engine {
  const char* name;
  const char* connectionVariable;
  const char* restartVariable;
  const char* freezeVariable;
  const char* thawVariable;
  odbc::RoleEngine roles;
};
const Engine kEngines[] = {
    {"PostgreSQL", "VX_TEST_PG", "VX_TEST_PG_RESTART", "VX_TEST_PG_FREEZE", "VX_TEST_PG_THAW",
     odbc::RoleEngine::PostgreSql},
    {"MariaDB", "VX_TEST_MARIADB", "VX_TEST_MARIADB_RESTART", "VX_TEST_MARIADB_FREEZE", "VX_TEST_MARIADB_THAW",
     odbc::RoleEngine::MariaDb},
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
           std::to_string(c.cardNumber), source, 0, outcome, "", "", {}},
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
  // Logins of their own for a station and a supervisor, holding the roles
  // that `store schema --roles` makes, on tables the test's owner made. The
  // connection text of each, by its user name.
  std::map<std::string, std::string> MakeRoleLogins() {
    const odbc::RoleEngine engine = GetParam().roles;
    const bool maria = engine == odbc::RoleEngine::MariaDb;
    const auto run = [this](const std::string& sql, bool mayFail) {
      const auto error = look_.Execute(sql);
      EXPECT_TRUE(mayFail || !error) << sql << ": " << error->message;
      if (error) look_.Rollback();
      look_.Commit();
    };
    for (const char* user : {"vx_test_station", "vx_test_supervisor"})
      run(maria ? std::string("DROP USER IF EXISTS '") + user + "'@'localhost'"
                : std::string("DROP ROLE IF EXISTS ") + user,
          false);
    for (const char* role : {odbc::kSupervisorRole, odbc::kStationRole})
      run(std::string("DROP ROLE IF EXISTS ") + role, false);
    Connect("owner");  // the tables
    for (const std::string& statement : odbc::RoleStatements(engine)) run(statement, false);
    std::map<std::string, std::string> logins;
    for (const auto& [role, user] :
         {std::pair{odbc::kStationRole, "vx_test_station"}, std::pair{odbc::kSupervisorRole, "vx_test_supervisor"}}) {
      for (const std::string& statement :
           odbc::LoginStatements(engine, role, user, "pw-" + std::string(user), "localhost"))
        run(statement, false);
      std::string text = std::regex_replace(connection_, std::regex("Uid=[^;]*"), std::string("Uid=") + user);
      logins[user] = std::regex_replace(text, std::regex("Pwd=(\\{[^}]*\\}|[^;]*)"), "Pwd=pw-" + std::string(user));
    }
    return logins;
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
      // No card holds it: a free row, which no reader counts.
      {"free, verify failed", Before::Free, ReserveVerdict::Won, CardVerdict::VerifyFailed, {"1000|free|DESK-2"},
       {"1000|DESK-2|failed"}},
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
  Attempt attempt = AttemptOf("DESK-1", kCard, CardVerdict::Written, "C:\\batches\\cards.txt");
  attempt.line.printedNumber = "0004711";
  ASSERT_EQ(desk1->Settle(kCard, r, CardVerdict::Written, attempt), std::nullopt);
  ASSERT_EQ(Connect("DESK-2")->Reserve(kCard, "typed", 0, r), std::nullopt);
  ASSERT_EQ(r.verdict, ReserveVerdict::WrittenBefore);
  ASSERT_TRUE(r.existing);
  EXPECT_EQ(*r.existing, (CredentialRow{kCard, CredentialState::Written, "DESK-1", r.existing->reservedAt,
                                        attempt.line.time, "C:\\batches\\cards.txt", 0, "0004711"}));
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

// What a card would put in each column is checked before it is written, and
// the check counts as the engine does: a value as long as the column takes
// goes in whole, in characters of one to four bytes; one more is refused.
TEST_P(StoreRules, ColumnsHoldWhatTheCheckLetsThrough) {
  const auto times = [](int n, const std::string& letter) {
    std::string text;
    for (int i = 0; i < n; ++i) text += letter;
    return text;
  };
  struct Case {
    const char* column;
    int limit;
    std::string letter;
  };
  const Case cases[] = {
      {"vx_cards.station", kStationColumnLength, "\xC3\xA9"},
      {"vx_cards.source", kSourceColumnLength, "\xF0\x9F\x94\x91"},
      {"vx_attempts.port", kPortColumnLength, "\xE2\x9C\x93"},
      {"vx_attempts.tab", kTabColumnLength, "W"},
      {"vx_cards.format", kFormatColumnLength, "\xC3\x9F"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.column);
    DropTables();
    const std::string full = times(c.limit, c.letter);
    const std::string column = c.column;
    ASSERT_EQ(TooLongForColumns("db1", {{c.column, c.limit, full}}), std::nullopt);
    const auto refused = TooLongForColumns("db1", {{c.column, c.limit, full + c.letter}});
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->refused);
    EXPECT_EQ(refused->Message(), "The shared record refused it: db1: " + column + " holds at most " +
                                      std::to_string(c.limit) + " characters, and this card's value has " +
                                      std::to_string(c.limit + 1) + ".");

    const Credential card{column == "vx_cards.format" ? full : "HID26", 12, 1000};
    const std::string station = column == "vx_cards.station" ? full : "DESK-2";
    const std::string source = column == "vx_cards.source" ? full : "typed";
    auto store = Connect(station);
    Reservation r;
    ASSERT_EQ(store->Reserve(card, source, 0, r), std::nullopt);
    Attempt attempt = AttemptOf(station, card, CardVerdict::Written, source);
    if (column == "vx_attempts.port") attempt.line.port = full;
    if (column == "vx_attempts.tab") attempt.line.tab = full;
    ASSERT_EQ(store->Settle(card, r, CardVerdict::Written, attempt), std::nullopt);
    std::optional<CredentialRow> row;
    ASSERT_EQ(store->Find(card, row), std::nullopt);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->station + "|" + row->source + "|" + row->credential.format,
              station + "|" + source + "|" + card.format);
    EXPECT_EQ(Rows("SELECT port, tab FROM vx_attempts"),
              std::vector<std::string>{attempt.line.port + "|" + attempt.line.tab});
  }
}

// A server that answers no for good is told from one that cannot be
// reached: a value it cannot hold, a right the login lacks, a table it does
// not know.
TEST_P(StoreRules, RefusedIsNotUnreachable) {
  const auto logins = MakeRoleLogins();
  const std::string station = logins.at("vx_test_station");
  struct Case {
    const char* name;
    std::function<std::optional<StoreFault>()> call;
    std::string reason;  // a text the refusal's reason holds
  };
  std::unique_ptr<SharedStore> kept;
  const Case cases[] = {
      {"a station's login releasing",
       [&] {
         kept.reset();
         EXPECT_EQ(ConnectSharedStore(station, "DESK-1", kept), std::nullopt);
         bool released = false;
         return kept->Release(kCard, released);
       },
       "vx_cards"},
      {"a station's login on no tables",
       [&] {
         DropTables();
         return ConnectSharedStore(station, "DESK-1", kept);
       },
       ""},
      {"a value too long for the server",
       [&] {
         auto store = Connect("DESK-1");
         Reservation r;
         return store->Reserve(kCard, std::string(kSourceColumnLength + 1, 's'), 0, r);
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<StoreFault> fault = c.call();
    ASSERT_TRUE(fault);
    EXPECT_TRUE(fault->refused) << fault->Message();
    EXPECT_TRUE(fault->Message().starts_with("The shared record refused it: localhost: ")) << fault->Message();
    EXPECT_NE(fault->reason.find(c.reason), std::string::npos) << fault->Message();
  }
}

// Under the station's role the audit trail is only added to and no
// credential is released; the supervisor's release leaves a row that says
// who released what.
TEST_P(StoreRules, RolesKeepTheAuditTrail) {
  const auto logins = MakeRoleLogins();
  std::unique_ptr<SharedStore> station, supervisor;
  ASSERT_EQ(ConnectSharedStore(logins.at("vx_test_station"), "DESK-1", station), std::nullopt);
  ASSERT_EQ(ConnectSharedStore(logins.at("vx_test_supervisor"), "SUPERVISOR", supervisor), std::nullopt);
  // A station's whole round: reserve, settle each way, give back.
  Reservation r;
  for (std::uint32_t cn : {1u, 2u, 3u, 4u}) {
    const Credential card{"HID26", 12, cn};
    ASSERT_EQ(station->Reserve(card, "typed", 0, r), std::nullopt);
    if (cn == 4) {
      ASSERT_EQ(station->GiveBack(card), std::nullopt);
      continue;
    }
    const CardVerdict verdict = cn == 1   ? CardVerdict::Written
                                : cn == 2 ? CardVerdict::VerifyFailed
                                          : CardVerdict::NoReadBack;
    ASSERT_EQ(station->Settle(card, r, verdict, AttemptOf("DESK-1", card, verdict)), std::nullopt);
  }
  ASSERT_EQ(station->Reserve({"HID26", 12, 2}, "typed", 0, r), std::nullopt);  // the free row, taken over
  EXPECT_EQ(r.verdict, ReserveVerdict::Won);

  odbc::Session asStation;
  ASSERT_EQ(asStation.Connect(logins.at("vx_test_station")), std::nullopt);
  for (const char* sql : {"DELETE FROM vx_attempts", "UPDATE vx_attempts SET outcome = 'written'",
                          "DELETE FROM vx_cards", "UPDATE vx_schema SET version = 1"}) {
    SCOPED_TRACE(sql);
    const auto error = asStation.Execute(sql);
    asStation.Rollback();
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->Refused()) << error->sqlState << " " << error->message;
  }
  struct Case {
    SharedStore* store;
    std::uint32_t cn;
    bool fault, released;
  };
  for (const Case& c : {Case{station.get(), 3, true, false}, Case{supervisor.get(), 3, false, true},
                        Case{supervisor.get(), 1, false, false}}) {
    SCOPED_TRACE(c.store->Station() + " releasing " + std::to_string(c.cn));
    bool released = false;
    EXPECT_EQ(c.store->Release({"HID26", 12, c.cn}, released).has_value(), c.fault);
    EXPECT_EQ(released, c.released);
  }
  EXPECT_EQ(Cards(), (std::vector<std::string>{"1|written|DESK-1", "2|reserved|DESK-1", "4|free|DESK-1"}));
  EXPECT_EQ(Attempts(), (std::vector<std::string>{"1|DESK-1|written", "2|DESK-1|failed", "3|DESK-1|failed",
                                                  "3|SUPERVISOR|released"}));
}

// A credential no card holds is a free row: every reader sees it as free,
// and the next station to reserve it takes it over; two at once, one wins.
TEST_P(StoreRules, FreeRowGoesToTheNextStation) {
  auto desk1 = Connect("DESK-1");
  auto desk2 = Connect("DESK-2");
  auto desk3 = Connect("DESK-3");
  struct Case {
    const char* name;
    bool givenBack;  // else a verify-failed card
    std::uint32_t cn;
  };
  for (const Case& c : {Case{"verify failed", false, 1}, Case{"never sent", true, 2}}) {
    SCOPED_TRACE(c.name);
    const Credential card{"HID26", 12, c.cn};
    Reservation r;
    ASSERT_EQ(desk1->Reserve(card, "cards.txt", 1, r), std::nullopt);
    if (c.givenBack)
      ASSERT_EQ(desk1->GiveBack(card), std::nullopt);
    else
      ASSERT_EQ(desk1->Settle(card, r, CardVerdict::VerifyFailed, AttemptOf("DESK-1", card, CardVerdict::VerifyFailed)),
                std::nullopt);
    std::optional<CredentialRow> row;
    ASSERT_EQ(desk2->Find(card, row), std::nullopt);
    EXPECT_FALSE(row);
    EntryStates states;
    ASSERT_EQ(desk2->FindMany("HID26", {{12, c.cn}}, states), std::nullopt);
    ASSERT_EQ(states.rows.size(), 1u);
    EXPECT_FALSE(states.rows[0]);

    std::atomic<int> won{0}, held{0};
    const auto take = [&](SharedStore& store) {
      Reservation taken;
      ASSERT_EQ(store.Reserve(card, "cards.txt", 1, taken), std::nullopt);
      (taken.verdict == ReserveVerdict::Won ? won : held) += 1;
    };
    std::thread other(take, std::ref(*desk3));
    take(*desk2);
    other.join();
    EXPECT_EQ(won, 1);
    EXPECT_EQ(held, 1);
  }
  StoreStatus status;
  ASSERT_EQ(desk1->Status(status), std::nullopt);
  for (const auto& count : status.counts) EXPECT_NE(count.station, "DESK-1");
  EXPECT_EQ(Rows("SELECT COUNT(*) FROM vx_cards WHERE state = 'reserved'"), std::vector<std::string>{"2"});
}

// The tables as an older program left them, made now and then altered.
enum class Tables {
  AsMadeNow,               // every column; of version 2, what an interrupted upgrade leaves
  OfVersion2,              // without the printed numbers
  OfVersion2LackingEntry,  // and without a column version 2 has
};

// Tables of an older schema are upgraded by a login that may alter them and
// change vx_schema, the printed numbers then stored, and refused, with what
// to run, to one that may not; tables that lack a column of their own version,
// and tables of a newer program, are refused. Owners upgrading at the same
// moment all connect: where one adds a column first, the others find it added.
TEST_P(StoreRules, SchemaUpgrade) {
  struct Case {
    const char* name;
    Tables tables;
    int version;
    bool asStation;
    std::string fault;  // a text the message holds; empty when it connects
    std::string after;  // vx_schema's version afterwards
    int logins = 1;     // connecting at once
  };
  const Case cases[] = {
      {"first version, the owner", Tables::AsMadeNow, 1, false, "", "3"},
      {"first version without printed numbers, the owner", Tables::OfVersion2, 1, false, "", "3"},
      {"first version, a station", Tables::AsMadeNow, 1, true,
       "The shared record refused it: localhost: its tables are of schema version 1 and this program keeps version 3: "
       "run \"vandorix-card store init\" as the tables' owner to upgrade them.",
       "1"},
      {"second version, the owner", Tables::OfVersion2, 2, false, "", "3"},
      {"second version, upgrade interrupted after the columns", Tables::AsMadeNow, 2, false, "", "3"},
      {"second version, three owners at once", Tables::OfVersion2, 2, false, "", "3", 3},
      {"second version, a station", Tables::OfVersion2, 2, true,
       "its tables are of schema version 2 and this program keeps version 3", "2"},
      {"second version lacking one of its columns", Tables::OfVersion2LackingEntry, 2, false,
       "the table vx_cards lacks the column entry.", "2"},
      {"a newer program's", Tables::AsMadeNow, 4, false, "made by a newer program", "4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DropTables();
    const auto logins = MakeRoleLogins();
    std::vector<std::string> alter;
    if (c.tables != Tables::AsMadeNow)
      alter = {"ALTER TABLE vx_cards DROP COLUMN printed_number", "ALTER TABLE vx_attempts DROP COLUMN printed_number"};
    if (c.tables == Tables::OfVersion2LackingEntry) alter.push_back("ALTER TABLE vx_cards DROP COLUMN entry");
    for (const std::string& sql : alter) {
      ASSERT_EQ(look_.Execute(sql), std::nullopt) << sql;
      ASSERT_EQ(look_.Commit(), std::nullopt);
    }
    ASSERT_EQ(look_.Execute("UPDATE vx_schema SET version = ?", {odbc::Param::Number(c.version)}), std::nullopt);
    ASSERT_EQ(look_.Commit(), std::nullopt);
    std::vector<std::unique_ptr<SharedStore>> stores(c.logins);
    std::vector<std::optional<StoreFault>> faults(c.logins);
    std::vector<std::thread> connecting;
    for (int i = 0; i < c.logins; ++i)
      connecting.emplace_back([&, i] {
        const std::string login = c.asStation ? logins.at("vx_test_station") : connection_;
        faults[i] = ConnectSharedStore(login, "DESK-" + std::to_string(i + 2), stores[i]);
      });
    for (std::thread& t : connecting) t.join();
    const std::optional<StoreFault>& fault = faults.front();
    SharedStore* store = stores.front().get();
    EXPECT_EQ(Rows("SELECT version FROM vx_schema"), std::vector<std::string>{c.after});
    if (!c.fault.empty()) {
      ASSERT_TRUE(fault);
      EXPECT_TRUE(fault->refused);
      EXPECT_NE(fault->Message().find(c.fault), std::string::npos) << fault->Message();
      continue;
    }
    for (const auto& each : faults) ASSERT_EQ(each, std::nullopt) << each->Message();
    Reservation r;
    ASSERT_EQ(store->Reserve(kCard, "typed", 0, r), std::nullopt);
    Attempt attempt = AttemptOf("DESK-2", kCard, CardVerdict::Written);
    attempt.line.printedNumber = "0004711";
    ASSERT_EQ(store->Settle(kCard, r, CardVerdict::Written, attempt), std::nullopt);
    EXPECT_EQ(Rows("SELECT printed_number FROM vx_cards"), std::vector<std::string>{"0004711"});
    EXPECT_EQ(Rows("SELECT printed_number FROM vx_attempts"), std::vector<std::string>{"0004711"});
  }
}

// The printed number of the card in hand goes with each attempt, read back
// in the order of their times, and with the credential's row while a card
// holds it or may; a freed row has none.
TEST_P(StoreRules, PrintedNumbersGoWithTheirCredential) {
  struct Case {
    const char* name;
    std::string printed;
    CardVerdict verdict;
    bool released;                     // then released by the owner
    std::vector<std::string> cards;    // state|printed_number of vx_cards
    std::vector<std::string> attempts; // "station outcome printed" of AttemptRows
  };
  const Case cases[] = {
      {"written, none printed", "", CardVerdict::Written, false, {"written|NULL"}, {"DESK-2 written "}},
      {"no read-back", "4712", CardVerdict::NoReadBack, false, {"unknown|4712"}, {"DESK-2 failed 4712"}},
      {"verify failed", "4713", CardVerdict::VerifyFailed, false, {"free|NULL"}, {"DESK-2 failed 4713"}},
      {"no read-back, released", "4714", CardVerdict::NoReadBack, true, {},
       {"DESK-2 failed 4714", "DESK-2 released 4714"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DropTables();
    auto store = Connect("DESK-2");
    Reservation r;
    ASSERT_EQ(store->Reserve(kCard, "typed", 0, r), std::nullopt);
    Attempt attempt = AttemptOf("DESK-2", kCard, c.verdict);
    attempt.line.printedNumber = c.printed;
    ASSERT_EQ(store->Settle(kCard, r, c.verdict, attempt), std::nullopt);
    if (c.released) {
      bool released = false;
      ASSERT_EQ(store->Release(kCard, released), std::nullopt);
      EXPECT_TRUE(released);
    }
    EXPECT_EQ(Rows("SELECT state, printed_number FROM vx_cards"), c.cards);
    std::vector<Attempt> attempts;
    ASSERT_EQ(store->AttemptRows(attempts), std::nullopt);
    std::vector<std::string> seen;
    for (const Attempt& a : attempts) seen.push_back(a.station + " " + a.line.outcome + " " + a.line.printedNumber);
    EXPECT_EQ(seen, c.attempts);
  }
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
  // It holds the password: only a file of the user's own is read.
  std::filesystem::permissions(file.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::replace);
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
      // A login refused is a refusal to MariaDB's driver (SQLSTATE 28000);
      // PostgreSQL's calls every failed login a connection that failed.
      {std::regex_replace(connection_, std::regex("Pwd=(\\{[^}]*\\}|[^;]*)"), "Pwd={wrong-" + password + "}"),
       "localhost: "},
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

// What an export reads: the credentials a card holds, at every station, in
// the order of the write that stands; reservations, unknown and freed
// credentials are none.
TEST_P(StoreRules, WrittenRowsInTheOrderWritten) {
  struct Step {
    const char* station;
    std::uint32_t cn;
    std::optional<CardVerdict> outcome;  // none: reserved and never settled
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> written;  // "cn station source", in order
  };
  const Case cases[] = {
      {"two stations, in the order written",
       {{"DESK-1", 3, CardVerdict::Written}, {"DESK-2", 1, CardVerdict::Written}, {"DESK-1", 2, CardVerdict::Written}},
       {"3 DESK-1 cards.txt", "1 DESK-2 cards.txt", "2 DESK-1 cards.txt"}},
      {"only what a card holds",
       {{"DESK-1", 1, CardVerdict::Written}, {"DESK-1", 2, std::nullopt}, {"DESK-1", 3, CardVerdict::NoReadBack},
        {"DESK-2", 4, CardVerdict::VerifyFailed}},
       {"1 DESK-1 cards.txt"}},
      {"written again: where its last write puts it",
       {{"DESK-1", 1, CardVerdict::Written}, {"DESK-1", 2, CardVerdict::Written}, {"DESK-2", 1, CardVerdict::Written}},
       {"2 DESK-1 cards.txt", "1 DESK-2 cards.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DropTables();
    std::map<std::string, std::unique_ptr<SharedStore>> stations;
    for (const Step& step : c.steps) {
      std::unique_ptr<SharedStore>& store = stations[step.station];
      if (!store) store = Connect(step.station);
      ASSERT_TRUE(store);
      const Credential card{"HID26", 12, step.cn};
      Reservation r;
      ASSERT_EQ(store->Reserve(card, "cards.txt", 1, r), std::nullopt);
      if (step.outcome) {
        Attempt attempt = AttemptOf(step.station, card, *step.outcome, "cards.txt");
        ASSERT_EQ(store->Settle(card, r, *step.outcome, attempt), std::nullopt);
      }
    }
    std::vector<CredentialRow> rows;
    ASSERT_EQ(stations.begin()->second->WrittenRows(rows), std::nullopt);
    std::vector<std::string> written;
    for (const CredentialRow& row : rows) {
      EXPECT_EQ(row.state, CredentialState::Written);
      written.push_back(std::to_string(row.credential.cardNumber) + " " + row.station + " " + row.source);
    }
    EXPECT_EQ(written, c.written);
  }
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
