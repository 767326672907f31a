#include "store_odbc/sql_store.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <charconv>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "record/record_columns.h"
#include "record/record_file.h"
#include "record/record_time.h"
#include "store_odbc/connection_security.h"
#include "store_odbc/store_schema.h"

namespace vx::odbc {

namespace {

// A reservation older than this is one to look into.
constexpr auto kStaleReservation = std::chrono::hours(1);
// FindMany asks for card numbers a range at a time; a range spans at most
// this many numbers, so a sparse list never fetches a whole table.
constexpr std::uint32_t kFindSpan = 4096;

constexpr const char* kKeyMatch = "format = ? AND facility_code = ? AND card_number = ?";

std::vector<Param> KeyParams(const Credential& credential) {
  return {Param::Text(credential.format), Param::Number(credential.facilityCode),
          Param::Number(credential.cardNumber)};
}

template <typename Number>
Number NumberOf(const std::optional<std::string>& text) {
  Number value = 0;
  if (text) std::from_chars(text->data(), text->data() + text->size(), value);
  return value;
}

// A state word nobody wrote here counts as unknown: a card may hold it.
CredentialState StateOf(const std::optional<std::string>& word) {
  return word ? StateOfWord(*word).value_or(CredentialState::Unknown) : CredentialState::Unknown;
}

CredentialRow RowOf(const Row& r) {
  CredentialRow row;
  row.credential.format = r[0].value_or("");
  row.credential.facilityCode = NumberOf<std::uint32_t>(r[1]);
  row.credential.cardNumber = NumberOf<std::uint32_t>(r[2]);
  row.state = StateOf(r[3]);
  row.station = r[4].value_or("");
  row.reservedAt = r[5].value_or("");
  row.writtenAt = r[6].value_or("");
  row.source = r[7].value_or("");
  row.entry = NumberOf<int>(r[8]);
  row.printedNumber = r[9].value_or("");
  return row;
}

std::optional<DbError> SelectRows(Session& session, const std::string& where, std::vector<Param> params,
                                  std::vector<CredentialRow>& rows) {
  Result result;
  if (auto error = session.Execute("SELECT " + CardColumnNames() + " FROM vx_cards WHERE " + where,
                                   params, &result))
    return error;
  rows.clear();
  for (const Row& r : result.rows)
    if (r.size() == 10) rows.push_back(RowOf(r));
  return std::nullopt;
}

bool ChangesNoCredential(CardVerdict verdict) { return !IsWrite(verdict); }


std::optional<DbError> SelectRow(Session& session, const Credential& credential, std::optional<CredentialRow>& row) {
  std::vector<CredentialRow> rows;
  if (auto error = SelectRows(session, kKeyMatch, KeyParams(credential), rows)) return error;
  row.reset();
  if (!rows.empty()) row = rows.front();
  return std::nullopt;
}

// A free row is what readers see as no row at all.
void HideFree(std::optional<CredentialRow>& row) {
  if (row && row->state == CredentialState::Free) row.reset();
}

// This station's reservation, never written, becomes free: no card holds it.
std::optional<DbError> FreeReservation(Session& session, const std::string& station, const Credential& credential) {
  std::vector<Param> params = {Param::Text(StateWord(CredentialState::Free))};
  for (Param& p : KeyParams(credential)) params.push_back(std::move(p));
  params.insert(params.end(), {Param::Text(station), Param::Text(StateWord(CredentialState::Reserved))});
  return session.Execute(std::string("UPDATE vx_cards SET state = ?, written_at = NULL, printed_number = NULL WHERE ") +
                             kKeyMatch +
                             " AND station = ? AND state = ?",
                         params);
}

// The attempt's row. An attempt sent again, after its commit went through
// unacknowledged or from the journal, is there already: `alreadyThere`.
std::optional<DbError> InsertAttempt(Session& session, const Attempt& attempt, bool& alreadyThere) {
  alreadyThere = false;
  const RecordLine& l = attempt.line;
  std::vector<Param> params;
  std::string marks;
  // vx_attempts has the record line's columns, a trailing one NULL when the line has no value for it.
  for (std::size_t at = 0; at < kRecordColumns; ++at) {
    const RecordColumn& column = kRecordColumnTable[at];
    marks += "?, ";
    switch (column.kind) {
      case ColumnKind::Text: params.push_back(Param::Text(l.*column.text)); break;
      case ColumnKind::OptionalText: params.push_back(Param::TextOrNull(l.*column.text)); break;
      case ColumnKind::Number: params.push_back(Param::Number(l.*column.number)); break;
      case ColumnKind::Entry: params.push_back(Param::NumberOrNull(l.*column.number)); break;
    }
  }
  params.push_back(Param::Text(attempt.station));
  auto error = session.Execute(
      "INSERT INTO vx_attempts (" + RecordColumnNames(", ") + ", station) VALUES (" + marks + "?)", params);
  if (!error || !error->KeyTaken()) return error;
  session.Rollback();
  Result result;
  if (auto failed = session.Execute(
          "SELECT COUNT(*) FROM vx_attempts WHERE station = ? AND time = ? AND format = ? AND facility_code = ? "
          "AND card_number = ?",
          {Param::Text(attempt.station), Param::Text(l.time), Param::Text(l.format), Param::Text(l.facilityCode),
           Param::Text(l.cardNumber)},
          &result))
    return failed;
  alreadyThere = !result.rows.empty() && !result.rows[0].empty() && result.rows[0][0].value_or("0") != "0";
  if (alreadyThere) return std::nullopt;
  return error;
}

// The credential's row becomes `state` at `station`, as `attempt` left it.
std::optional<DbError> PutRow(Session& session, const std::string& station, const Credential& credential,
                              CredentialState state, const Attempt& attempt) {
  const RecordLine& l = attempt.line;
  const bool written = state == CredentialState::Written;
  // The card in hand holds the credential, or may: its printed number with it.
  std::vector<Param> params = {Param::Text(StateWord(state)), Param::Text(station), Param::TextOrNull(l.printedNumber)};
  std::string sql = "UPDATE vx_cards SET state = ?, station = ?, printed_number = ?";
  if (written) {
    sql += ", written_at = ?, source = ?, entry = ?";
    params.insert(params.end(), {Param::Text(l.time), Param::Text(l.source), Param::NumberOrNull(l.entry)});
  }
  sql += std::string(" WHERE ") + kKeyMatch;
  for (Param& p : KeyParams(credential)) params.push_back(std::move(p));
  if (!written) {
    // A card written before holds it still, whatever this attempt did.
    sql += " AND state <> ?";
    params.push_back(Param::Text(StateWord(CredentialState::Written)));
  }
  Result result;
  if (auto error = session.Execute(sql, params, &result)) return error;
  if (result.affected > 0) return std::nullopt;
  // Some engines count only the rows a change altered; and a row released
  // meanwhile must come back, since a card may hold the credential now.
  std::optional<CredentialRow> row;
  if (auto error = SelectRow(session, credential, row)) return error;
  if (row) return std::nullopt;
  std::vector<Param> insert = KeyParams(credential);
  insert.insert(insert.end(), {Param::Text(StateWord(state)), Param::Text(station), Param::Text(l.time),
                               written ? Param::Text(l.time) : Param::TextOrNull(""), Param::Text(l.source),
                               Param::NumberOrNull(l.entry), Param::TextOrNull(l.printedNumber)});
  auto error = session.Execute(InsertCardSql(), insert);
  // Another station reserved it between the look and the insert: the whole
  // settle is done again, and finds that row.
  if (error && error->KeyTaken()) error->sqlState = "40001";
  return error;
}

// Ends the transaction of work that ended with `error`: committed when
// `commit` and there was no error, else rolled back.
std::optional<DbError> Finished(Session& session, std::optional<DbError> error, bool commit) {
  if (!error && commit) return session.Commit();
  session.Rollback();
  return error;
}

}  // namespace

SqlStore::SqlStore(ConnectionText connection, std::string station)
    : connection_(std::move(connection)), station_(std::move(station)), session_(std::make_shared<Session>()) {}

SqlStore::Key SqlStore::KeyOf(const Credential& c) { return Key{c.format, c.facilityCode, c.cardNumber}; }

std::optional<StoreFault> SqlStore::Run(Work work) {
  struct Call {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::optional<DbError> error;
  };
  auto call = std::make_shared<Call>();
  std::thread worker([call, session = session_, work = std::move(work), text = connection_.connectionString,
                      secrets = connection_.secrets] {
    std::optional<DbError> error;
    for (int attempt = 0; attempt < 2; ++attempt) {
      if (!session->Connected()) {
        error = session->Connect(text, secrets);
        if (error) {
          session->Disconnect();
          break;
        }
      }
      error = work(*session);
      if (!error) break;
      // A server restarted since the last call leaves a connection that
      // fails once: a new one is made and the work done again.
      const bool lost = error->ConnectionLost() || session->Dead();
      session->Rollback();
      if (lost) session->Disconnect();
      if (!lost && !error->TransactionLost()) break;
    }
    std::lock_guard lock(call->mutex);
    call->error = std::move(error);
    call->finished = true;
    call->done.notify_one();
  });
  std::unique_lock lock(call->mutex);
  if (!call->done.wait_for(lock, kCallDeadline, [&call] { return call->finished; })) {
    // The driver waits on a server that does not answer. Its thread keeps
    // the connection until it gives up; the next call starts a new one.
    lock.unlock();
    worker.detach();
    session_ = std::make_shared<Session>();
    return StoreFault{FaultPlace(), Format(TrN("the server did not answer within %d second",
                                          "the server did not answer within %d seconds", kCallDeadline.count()),
                                      kCallDeadline.count())};
  }
  lock.unlock();
  worker.join();
  if (call->error) {
    const DbError& error = *call->error;
    return StoreFault{FaultPlace(), error.message.empty() ? Tr("the driver gave no reason") : error.message,
                      error.Refused()};
  }
  if (database_.empty())
    database_ = connection_.database.empty() ? session_->InfoText(SQL_DATABASE_NAME) : connection_.database;
  if (server_.empty())
    server_ = !connection_.where.empty() ? connection_.where : session_->InfoText(SQL_SERVER_NAME);
  return std::nullopt;
}

std::optional<StoreFault> SqlStore::Open() {
  auto refusal = std::make_shared<std::string>();
  auto fault = Run([refusal](Session& session) { return EnsureSchema(session, *refusal); });
  if (!fault && !refusal->empty()) fault = StoreFault{FaultPlace(), *refusal, true};
  if (fault) session_ = std::make_shared<Session>();
  if (!fault) encrypted_ = AskedEncrypted([this](Work work) { return Run(std::move(work)); });
  return fault;
}

std::string SqlStore::FaultPlace() const { return connection_.where.empty() ? Tr("the database") : connection_.where; }

StorePlace SqlStore::Place() const { return {database_, server_, station_, encrypted_}; }

std::optional<StoreFault> SqlStore::Reserve(const Credential& credential, const std::string& source, int entry,
                                            Reservation& result) {
  struct Found {
    bool won = false;
    std::optional<CredentialRow> row;
  };
  auto found = std::make_shared<Found>();
  // The insert may find a reservation this station made itself and whose
  // commit went through although its call failed: done again on a new
  // connection (this call's time), or a call that failed before. Its
  // station and time tell it from any other.
  const std::string at = RecordTimeNow();
  const Key key = KeyOf(credential);
  const std::vector<std::string> earlier = unconfirmed_.contains(key) ? unconfirmed_[key] : std::vector<std::string>{};
  auto runs = std::make_shared<int>(0);
  auto fault = Run([=, station = station_](Session& session) -> std::optional<DbError> {
    const bool again = ++*runs > 1;
    for (int tries = 0; tries < 3; ++tries) {
      *found = Found{};
      std::vector<Param> params = KeyParams(credential);
      params.insert(params.end(), {Param::Text(StateWord(CredentialState::Reserved)), Param::Text(station),
                                   Param::Text(at), Param::TextOrNull(""), Param::Text(source),
                                   Param::NumberOrNull(entry), Param::TextOrNull("")});
      auto error = session.Execute(InsertCardSql(), params);
      if (!error) error = session.Commit();
      if (!error) {
        found->won = true;
        return std::nullopt;
      }
      if (!error->KeyTaken()) return error;
      session.Rollback();
      error = Finished(session, SelectRow(session, credential, found->row), false);
      if (error) return error;
      if (!found->row) continue;  // released since: try again
      if (found->row->state == CredentialState::Free) {
        // No card holds it: the first station whose update finds it still
        // free has it; any other looks again.
        std::vector<Param> take = {Param::Text(StateWord(CredentialState::Reserved)), Param::Text(station),
                                   Param::Text(at), Param::Text(source), Param::NumberOrNull(entry)};
        for (Param& p : KeyParams(credential)) take.push_back(std::move(p));
        take.push_back(Param::Text(StateWord(CredentialState::Free)));
        Result taken;
        error = session.Execute(std::string("UPDATE vx_cards SET state = ?, station = ?, reserved_at = ?, "
                                            "written_at = NULL, source = ?, entry = ?, printed_number = NULL WHERE ") +
                                    kKeyMatch + " AND state = ?",
                                take, &taken);
        if (!error && taken.affected == 1) error = session.Commit();
        if (error) return error;
        session.Rollback();
        if (taken.affected == 1) {
          found->won = true;
          return std::nullopt;
        }
        continue;
      }
      const CredentialRow& row = *found->row;
      const bool ours = row.station == station && row.state == CredentialState::Reserved &&
                        ((again && row.reservedAt == at) ||
                         std::find(earlier.begin(), earlier.end(), row.reservedAt) != earlier.end());
      found->won = ours;
      return std::nullopt;
    }
    return DbError{"", Tr("the credential was taken and freed again while it was reserved; try again")};
  });
  if (fault) {
    unconfirmed_[key].push_back(at);
    return fault;
  }
  unconfirmed_.erase(key);
  result = Reservation{};
  if (found->won) {
    ownThisRun_.insert(key);
    return std::nullopt;
  }
  const CredentialRow& row = *found->row;
  result.existing = row;
  result.verdict = row.state == CredentialState::Written ? ReserveVerdict::WrittenBefore
                   : row.station != station_            ? ReserveVerdict::HeldElsewhere
                   : OwnedThisRun(credential)           ? ReserveVerdict::OwnThisRun
                                                        : ReserveVerdict::OwnEarlierRun;
  return std::nullopt;
}

std::optional<StoreFault> SqlStore::Settle(const Credential& credential, const Reservation& before,
                                           CardVerdict verdict, const Attempt& attempt) {
  // A reservation is freed only when no card can hold the credential: this
  // attempt made it (or it was this run's and never written), and the card
  // read back holds other numbers.
  const bool reservedHere = before.verdict == ReserveVerdict::Won ||
                            (before.verdict == ReserveVerdict::OwnThisRun && before.existing &&
                             before.existing->state == CredentialState::Reserved);
  const bool changesRow = before.verdict != ReserveVerdict::HeldElsewhere && !ChangesNoCredential(verdict);
  const bool written = changesRow && verdict == CardVerdict::Written;
  const bool frees = changesRow && verdict == CardVerdict::VerifyFailed && reservedHere;
  const bool unknown = changesRow && MayHoldCredential(verdict) && before.verdict != ReserveVerdict::WrittenBefore;
  auto fault = Run([=, station = station_](Session& session) -> std::optional<DbError> {
    bool alreadyThere = false;
    if (auto error = InsertAttempt(session, attempt, alreadyThere)) return error;
    if (alreadyThere) return Finished(session, std::nullopt, false);
    std::optional<DbError> error;
    if (written) {
      error = PutRow(session, station, credential, CredentialState::Written, attempt);
    } else if (frees) {
      error = FreeReservation(session, station, credential);
    } else if (unknown) {
      error = PutRow(session, station, credential, CredentialState::Unknown, attempt);
    }
    return Finished(session, error, true);
  });
  if (fault) return fault;
  if (frees) ownThisRun_.erase(KeyOf(credential));
  if (written || unknown) ownThisRun_.insert(KeyOf(credential));
  return std::nullopt;
}

std::optional<StoreFault> SqlStore::GiveBack(const Credential& credential) {
  auto fault = Run([credential, station = station_](Session& session) {
    return Finished(session, FreeReservation(session, station, credential), true);
  });
  if (!fault) ownThisRun_.erase(KeyOf(credential));
  return fault;
}

std::optional<StoreFault> SqlStore::RecordRead(const Attempt& attempt) {
  return Run([attempt](Session& session) -> std::optional<DbError> {
    bool alreadyThere = false;
    auto error = InsertAttempt(session, attempt, alreadyThere);
    return Finished(session, error, !alreadyThere);
  });
}

std::optional<StoreFault> SqlStore::Find(const Credential& credential, std::optional<CredentialRow>& row) {
  auto found = std::make_shared<std::optional<CredentialRow>>();
  auto fault = Run([found, credential](Session& session) {
    return Finished(session, SelectRow(session, credential, *found), false);
  });
  if (fault) return fault;
  row = *found;
  HideFree(row);
  return std::nullopt;
}

std::optional<StoreFault> SqlStore::FindMany(const std::string& format, const std::vector<CardNumbers>& cards,
                                             EntryStates& states) {
  // Where each credential is in the list; a number may stand in it twice.
  using Places = std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<std::size_t>>;
  auto places = std::make_shared<Places>();
  for (std::size_t i = 0; i < cards.size(); ++i) (*places)[{cards[i].facilityCode, cards[i].cardNumber}].push_back(i);
  struct Span {
    std::uint32_t facilityCode, first, last;
  };
  std::vector<Span> spans;
  for (const auto& [numbers, unused] : *places) {
    const auto [fc, cn] = numbers;
    if (!spans.empty() && spans.back().facilityCode == fc && cn - spans.back().first < kFindSpan)
      spans.back().last = cn;
    else
      spans.push_back({fc, cn, cn});
  }
  auto found = std::make_shared<EntryStates>();
  const std::size_t count = cards.size();
  auto fault = Run([=](Session& session) -> std::optional<DbError> {
    found->rows.assign(count, std::nullopt);
    for (const Span& span : spans) {
      std::vector<CredentialRow> rows;
      if (auto error = SelectRows(session, "format = ? AND facility_code = ? AND card_number BETWEEN ? AND ?",
                                  {Param::Text(format), Param::Number(span.facilityCode), Param::Number(span.first),
                                   Param::Number(span.last)},
                                  rows))
        return error;
      for (CredentialRow& row : rows) {
        const auto place = places->find({row.credential.facilityCode, row.credential.cardNumber});
        if (place == places->end()) continue;
        if (row.state == CredentialState::Free) continue;
        for (std::size_t i : place->second) found->rows[i] = row;
      }
    }
    return Finished(session, std::nullopt, false);
  });
  if (!fault) states = std::move(*found);
  return fault;
}

std::optional<StoreFault> SqlStore::WrittenRows(std::vector<CredentialRow>& rows) {
  auto found = std::make_shared<std::vector<CredentialRow>>();
  auto fault = Run([found](Session& session) {
    return Finished(session,
                    SelectRows(session, "state = ? ORDER BY written_at, format, facility_code, card_number",
                               {Param::Text(StateWord(CredentialState::Written))}, *found),
                    false);
  });
  if (!fault) rows = std::move(*found);
  return fault;
}

std::optional<StoreFault> SqlStore::AttemptRows(std::vector<Attempt>& attempts) {
  auto found = std::make_shared<Result>();
  auto fault = Run([found](Session& session) {
    return Finished(session,
                    session.Execute("SELECT " + RecordColumnNames(", ") +
                                        ", station FROM vx_attempts ORDER BY time, station, format, facility_code, "
                                        "card_number",
                                    {}, found.get()),
                    false);
  });
  if (fault) return fault;
  attempts.clear();
  for (const Row& r : found->rows) {
    if (r.size() != kRecordColumns + 1) continue;
    Attempt attempt;
    for (std::size_t at = 0; at < kRecordColumns; ++at) {
      const RecordColumn& column = kRecordColumnTable[at];
      if (column.IsText())
        attempt.line.*column.text = r[at].value_or("");
      else
        attempt.line.*column.number = NumberOf<int>(r[at]);
    }
    attempt.station = r[kRecordColumns].value_or("");
    attempts.push_back(std::move(attempt));
  }
  return std::nullopt;
}

std::optional<StoreFault> SqlStore::UnsettledFromEarlierRuns(std::vector<CredentialRow>& rows) {
  auto found = std::make_shared<std::vector<CredentialRow>>();
  auto fault = Run([found, station = station_](Session& session) {
    return Finished(session,
                    SelectRows(session, "station = ? AND state = ? ORDER BY format, facility_code, card_number",
                               {Param::Text(station), Param::Text(StateWord(CredentialState::Reserved))}, *found),
                    false);
  });
  if (fault) return fault;
  rows.clear();
  for (CredentialRow& row : *found)
    if (row.station == station_ && !OwnedThisRun(row.credential)) rows.push_back(std::move(row));
  return std::nullopt;
}

std::optional<StoreFault> SqlStore::Resolve(const Credential& credential, CredentialState state) {
  std::vector<Param> params = {Param::Text(StateWord(state))};
  std::string sql = "UPDATE vx_cards SET state = ?";
  if (state == CredentialState::Written) {
    sql += ", written_at = ?";
    params.push_back(Param::Text(RecordTimeNow()));
  }
  sql += std::string(" WHERE ") + kKeyMatch + " AND station = ?";
  for (Param& p : KeyParams(credential)) params.push_back(std::move(p));
  params.push_back(Param::Text(station_));
  return Run([sql, params](Session& session) { return Finished(session, session.Execute(sql, params), true); });
}

std::optional<StoreFault> SqlStore::Status(StoreStatus& status) {
  struct Found {
    Result counts;
    std::vector<CredentialRow> unknown, reserved;
  };
  auto found = std::make_shared<Found>();
  auto fault = Run([found](Session& session) {
    auto error = session.Execute(
        "SELECT station, state, COUNT(*) FROM vx_cards WHERE state <> ? GROUP BY station, state ORDER BY station, "
        "state",
        {Param::Text(StateWord(CredentialState::Free))}, &found->counts);
    for (auto [state, rows] : {std::pair{CredentialState::Unknown, &found->unknown},
                               std::pair{CredentialState::Reserved, &found->reserved}}) {
      if (!error)
        error = SelectRows(session, "state = ? ORDER BY station, format, facility_code, card_number",
                           {Param::Text(StateWord(state))}, *rows);
    }
    return Finished(session, error, false);
  });
  if (fault) return fault;
  status = StoreStatus{};
  for (const Row& r : found->counts.rows)
    if (r.size() == 3) status.counts.push_back({r[0].value_or(""), StateOf(r[1]), NumberOf<long long>(r[2])});
  status.unknown = std::move(found->unknown);
  const auto now = std::chrono::system_clock::now();
  for (CredentialRow& row : found->reserved) {
    const auto at = TimeOfRecordText(row.reservedAt);
    // A time nobody can read is looked into as well.
    if (!at || now - *at > kStaleReservation) status.staleReservations.push_back(std::move(row));
  }
  return std::nullopt;
}

std::optional<StoreFault> SqlStore::Release(const Credential& credential, bool& released) {
  auto affected = std::make_shared<long long>(0);
  auto fault = Run([affected, credential, station = station_](Session& session) -> std::optional<DbError> {
    // The row's printed number goes into the release's attempt: the card a supervisor checked.
    std::optional<CredentialRow> row;
    if (auto error = SelectRow(session, credential, row)) return Finished(session, error, false);
    std::vector<Param> params = KeyParams(credential);
    params.push_back(Param::Text(StateWord(CredentialState::Written)));
    params.push_back(Param::Text(StateWord(CredentialState::Free)));
    Result result;
    // A written credential is on a card: it is never released. Only a
    // supervisor's login may delete from vx_cards, so a station cannot.
    auto error = session.Execute(
        std::string("DELETE FROM vx_cards WHERE ") + kKeyMatch + " AND state <> ? AND state <> ?", params, &result);
    *affected = error ? 0 : result.affected;
    if (!error && *affected > 0) {
      // Who released what, beside the attempts, in the same transaction.
      RecordLine line;
      line.time = RecordTimeNow();
      line.format = credential.format;
      line.facilityCode = std::to_string(credential.facilityCode);
      line.cardNumber = std::to_string(credential.cardNumber);
      line.outcome = "released";
      if (row) line.printedNumber = row->printedNumber;
      bool alreadyThere = false;
      error = InsertAttempt(session, Attempt{line, station}, alreadyThere);
      // A row of that very millisecond: done again, at a later one.
      if (!error && alreadyThere) error = DbError{"40001", Tr("the release could not be recorded")};
    }
    return Finished(session, error, true);
  });
  released = !fault && *affected > 0;
  return fault;
}

}  // namespace vx::odbc
