#include "store_odbc/sql_store.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <charconv>
#include <map>

#include "record/record_file.h"
#include "store_odbc/record_time.h"
#include "store_odbc/store_schema.h"

namespace vx::odbc {

namespace {

// A reservation older than this is one to look into.
constexpr auto kStaleReservation = std::chrono::hours(1);
// FindMany asks for card numbers a range at a time; a range spans at most
// this many numbers, so a sparse list never fetches a whole table.
constexpr std::uint32_t kFindSpan = 4096;

constexpr const char* kRowColumns =
    "format, facility_code, card_number, state, station, reserved_at, written_at, source, entry";
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
  if (word == "reserved") return CredentialState::Reserved;
  if (word == "written") return CredentialState::Written;
  return CredentialState::Unknown;
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
  return row;
}

std::optional<DbError> SelectRows(Session& session, const std::string& where, std::vector<Param> params,
                                  std::vector<CredentialRow>& rows) {
  Result result;
  if (auto error = session.Execute(std::string("SELECT ") + kRowColumns + " FROM vx_cards WHERE " + where,
                                   params, &result))
    return error;
  rows.clear();
  for (const Row& r : result.rows)
    if (r.size() == 9) rows.push_back(RowOf(r));
  return std::nullopt;
}

bool ChangesNoCredential(CardVerdict verdict) { return !IsWrite(verdict); }

bool MayHoldCredential(CardVerdict verdict) {
  return verdict == CardVerdict::NoAcknowledgement || verdict == CardVerdict::NoReadBack ||
         verdict == CardVerdict::ReadBackRefused;
}

}  // namespace

SqlStore::SqlStore(ConnectionText connection, std::string station)
    : connection_(std::move(connection)), station_(std::move(station)) {}

std::optional<DbError> SqlStore::Connect() {
  if (auto error = session_.Connect(connection_.connectionString, connection_.secrets)) return error;
  if (database_.empty()) database_ = connection_.database.empty() ? session_.InfoText(SQL_DATABASE_NAME)
                                                                   : connection_.database;
  if (server_.empty()) {
    server_ = connection_.where;
    if (server_ == "the database" || server_.empty()) server_ = session_.InfoText(SQL_SERVER_NAME);
  }
  return std::nullopt;
}

StoreFault SqlStore::FaultOf(const DbError& error) const {
  return StoreFault{connection_.where, error.message.empty() ? "the driver gave no reason" : error.message};
}

template <typename Work>
std::optional<StoreFault> SqlStore::Run(Work work) {
  std::optional<DbError> error;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!session_.Connected()) {
      if (auto failed = Connect()) {
        session_.Disconnect();
        return FaultOf(*failed);
      }
    }
    error = work();
    if (!error) return std::nullopt;
    // A server restarted since the last call leaves a connection that
    // fails once: a new one is made and the work done again.
    const bool lost = error->ConnectionLost() || session_.Dead();
    session_.Rollback();
    if (lost) session_.Disconnect();
    if (!lost && !error->TransactionLost()) break;
  }
  return FaultOf(*error);
}

std::optional<StoreFault> SqlStore::Open() {
  std::string refusal;
  auto fault = Run([&]() { return EnsureSchema(session_, refusal); });
  if (!fault && !refusal.empty()) fault = StoreFault{connection_.where, refusal};
  if (fault) session_.Disconnect();
  return fault;
}

std::string SqlStore::Where() const {
  std::string where = database_.empty() ? server_ : database_ + (server_.empty() ? "" : " on " + server_);
  return where + ", station " + station_;
}

bool SqlStore::OwnedThisRun(const Credential& c) const {
  return ownThisRun_.contains(Key{c.format, c.facilityCode, c.cardNumber});
}

std::optional<DbError> SqlStore::SelectRow(const Credential& credential, std::optional<CredentialRow>& row) {
  std::vector<CredentialRow> rows;
  if (auto error = SelectRows(session_, kKeyMatch, KeyParams(credential), rows)) return error;
  row.reset();
  if (!rows.empty()) row = rows.front();
  return std::nullopt;
}

std::optional<StoreFault> SqlStore::Reserve(const Credential& credential, const std::string& source, int entry,
                                            Reservation& result) {
  // Done again on a new connection, the insert may find the reservation it
  // made itself, committed as the old connection broke: its station and
  // time tell it from any other.
  const std::string at = RecordTimeNow();
  int runs = 0;
  auto fault = Run([&]() -> std::optional<DbError> {
    const bool again = ++runs > 1;
    for (int tries = 0; tries < 3; ++tries) {
      result = Reservation{};
      std::vector<Param> params = KeyParams(credential);
      params.insert(params.end(), {Param::Text(StateWord(CredentialState::Reserved)), Param::Text(station_),
                                   Param::Text(at), Param::Text(source), Param::NumberOrNull(entry)});
      auto error = session_.Execute(
          "INSERT INTO vx_cards (format, facility_code, card_number, state, station, reserved_at, written_at, "
          "source, entry) VALUES (?, ?, ?, ?, ?, ?, NULL, ?, ?)",
          params);
      if (!error) error = session_.Commit();
      if (!error) return std::nullopt;
      if (!error->KeyTaken()) return error;
      session_.Rollback();
      std::optional<CredentialRow> row;
      error = SelectRow(credential, row);
      session_.Rollback();
      if (error) return error;
      if (!row) continue;  // released since: try again
      if (again && row->station == station_ && row->state == CredentialState::Reserved && row->reservedAt == at)
        return std::nullopt;
      result.existing = row;
      result.verdict = row->state == CredentialState::Written ? ReserveVerdict::WrittenBefore
                       : row->station != station_           ? ReserveVerdict::HeldElsewhere
                       : OwnedThisRun(credential)           ? ReserveVerdict::OwnThisRun
                                                            : ReserveVerdict::OwnEarlierRun;
      return std::nullopt;
    }
    return DbError{"", "the credential was taken and freed again while it was reserved; try again"};
  });
  if (!fault && result.verdict == ReserveVerdict::Won)
    ownThisRun_.insert(Key{credential.format, credential.facilityCode, credential.cardNumber});
  return fault;
}

std::optional<DbError> SqlStore::InsertAttempt(const Attempt& attempt, bool& alreadyThere) {
  alreadyThere = false;
  const RecordLine& l = attempt.line;
  auto error = session_.Execute(
      "INSERT INTO vx_attempts (time, port, tab, format, fc_bits, cn_bits, param_y, param_z, facility_code, "
      "card_number, source, entry, outcome, read_facility_code, read_card_number, station) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
      {Param::Text(l.time), Param::Text(l.port), Param::Text(l.tab), Param::Text(l.format), Param::Number(l.fcBits),
       Param::Number(l.cnBits), Param::Number(l.paramY), Param::Number(l.paramZ), Param::Text(l.facilityCode),
       Param::Text(l.cardNumber), Param::Text(l.source), Param::NumberOrNull(l.entry), Param::Text(l.outcome),
       Param::TextOrNull(l.readFacilityCode), Param::TextOrNull(l.readCardNumber), Param::Text(attempt.station)});
  if (!error || !error->KeyTaken()) return error;
  // The same attempt, sent again after its commit went through
  // unacknowledged, or from the journal: it is there already.
  session_.Rollback();
  Result result;
  if (auto failed = session_.Execute(
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

std::optional<DbError> SqlStore::PutRow(const Credential& credential, CredentialState state, const Attempt& attempt) {
  const RecordLine& l = attempt.line;
  const bool written = state == CredentialState::Written;
  std::vector<Param> params = {Param::Text(StateWord(state)), Param::Text(station_)};
  std::string sql = "UPDATE vx_cards SET state = ?, station = ?";
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
  if (auto error = session_.Execute(sql, params, &result)) return error;
  if (result.affected > 0) return std::nullopt;
  // Some engines count only the rows a change altered; and a row released
  // meanwhile must come back, since a card may hold the credential now.
  std::optional<CredentialRow> row;
  if (auto error = SelectRow(credential, row)) return error;
  if (row) return std::nullopt;
  std::vector<Param> insert = KeyParams(credential);
  insert.insert(insert.end(), {Param::Text(StateWord(state)), Param::Text(station_), Param::Text(l.time),
                               written ? Param::Text(l.time) : Param::TextOrNull(""), Param::Text(l.source),
                               Param::NumberOrNull(l.entry)});
  return session_.Execute(
      "INSERT INTO vx_cards (format, facility_code, card_number, state, station, reserved_at, written_at, source, "
      "entry) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
      insert);
}

std::optional<StoreFault> SqlStore::Settle(const Credential& credential, const Reservation& before,
                                           CardVerdict verdict, const Attempt& attempt) {
  // A reservation goes only when no card can hold the credential: this
  // attempt made it (or it was this run's and never written), and the card
  // read back holds other numbers.
  const bool reservedHere = before.verdict == ReserveVerdict::Won ||
                            (before.verdict == ReserveVerdict::OwnThisRun && before.existing &&
                             before.existing->state == CredentialState::Reserved);
  const bool changesRow = before.verdict != ReserveVerdict::HeldElsewhere && !ChangesNoCredential(verdict);
  bool deleted = false;
  auto fault = Run([&]() -> std::optional<DbError> {
    bool alreadyThere = false;
    if (auto error = InsertAttempt(attempt, alreadyThere)) return error;
    if (alreadyThere) {
      session_.Rollback();
      return std::nullopt;
    }
    std::optional<DbError> error;
    if (changesRow && verdict == CardVerdict::Written) {
      error = PutRow(credential, CredentialState::Written, attempt);
    } else if (changesRow && verdict == CardVerdict::VerifyFailed && reservedHere) {
      std::vector<Param> params = KeyParams(credential);
      params.insert(params.end(), {Param::Text(station_), Param::Text(StateWord(CredentialState::Reserved))});
      error = session_.Execute(std::string("DELETE FROM vx_cards WHERE ") + kKeyMatch + " AND station = ? AND state = ?",
                               params);
      deleted = true;
    } else if (changesRow && MayHoldCredential(verdict) && before.verdict != ReserveVerdict::WrittenBefore) {
      error = PutRow(credential, CredentialState::Unknown, attempt);
    }
    if (!error) error = session_.Commit();
    return error;
  });
  if (fault || !changesRow) return fault;
  const Key key{credential.format, credential.facilityCode, credential.cardNumber};
  if (deleted) {
    ownThisRun_.erase(key);
  } else if (verdict == CardVerdict::Written ||
             (MayHoldCredential(verdict) && before.verdict != ReserveVerdict::WrittenBefore)) {
    ownThisRun_.insert(key);
  }
  return fault;
}

std::optional<StoreFault> SqlStore::RecordRead(const Attempt& attempt) {
  return Run([&]() -> std::optional<DbError> {
    bool alreadyThere = false;
    if (auto error = InsertAttempt(attempt, alreadyThere)) return error;
    if (alreadyThere) {
      session_.Rollback();
      return std::nullopt;
    }
    return session_.Commit();
  });
}

std::optional<StoreFault> SqlStore::Find(const Credential& credential, std::optional<CredentialRow>& row) {
  return Run([&]() -> std::optional<DbError> {
    auto error = SelectRow(credential, row);
    session_.Rollback();
    return error;
  });
}

std::optional<StoreFault> SqlStore::FindMany(const std::string& format, const std::vector<CardNumbers>& cards,
                                             EntryStates& states) {
  // Where each credential is in the list; a number may stand in it twice.
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<std::size_t>> places;
  for (std::size_t i = 0; i < cards.size(); ++i) places[{cards[i].facilityCode, cards[i].cardNumber}].push_back(i);
  struct Span {
    std::uint32_t facilityCode, first, last;
  };
  std::vector<Span> spans;
  for (const auto& [numbers, unused] : places) {
    const auto [fc, cn] = numbers;
    if (!spans.empty() && spans.back().facilityCode == fc && cn - spans.back().first < kFindSpan)
      spans.back().last = cn;
    else
      spans.push_back({fc, cn, cn});
  }
  return Run([&]() -> std::optional<DbError> {
    states.rows.assign(cards.size(), std::nullopt);
    for (const Span& span : spans) {
      std::vector<CredentialRow> rows;
      if (auto error = SelectRows(session_, "format = ? AND facility_code = ? AND card_number BETWEEN ? AND ?",
                                  {Param::Text(format), Param::Number(span.facilityCode), Param::Number(span.first),
                                   Param::Number(span.last)},
                                  rows))
        return error;
      for (CredentialRow& row : rows) {
        const auto found = places.find({row.credential.facilityCode, row.credential.cardNumber});
        if (found == places.end()) continue;
        for (std::size_t i : found->second) states.rows[i] = row;
      }
    }
    session_.Rollback();
    return std::nullopt;
  });
}

std::optional<StoreFault> SqlStore::UnsettledFromEarlierRuns(std::vector<CredentialRow>& rows) {
  return Run([&]() -> std::optional<DbError> {
    std::vector<CredentialRow> found;
    auto error = SelectRows(session_, "station = ? AND state = ? ORDER BY format, facility_code, card_number",
                            {Param::Text(station_), Param::Text(StateWord(CredentialState::Reserved))}, found);
    session_.Rollback();
    if (error) return error;
    rows.clear();
    for (CredentialRow& row : found)
      if (row.station == station_ && !OwnedThisRun(row.credential)) rows.push_back(std::move(row));
    return std::nullopt;
  });
}

std::optional<StoreFault> SqlStore::Resolve(const Credential& credential, CredentialState state) {
  const std::string now = RecordTimeNow();
  return Run([&]() -> std::optional<DbError> {
    std::vector<Param> params = {Param::Text(StateWord(state))};
    std::string sql = "UPDATE vx_cards SET state = ?";
    if (state == CredentialState::Written) {
      sql += ", written_at = ?";
      params.push_back(Param::Text(now));
    }
    sql += std::string(" WHERE ") + kKeyMatch + " AND station = ?";
    for (Param& p : KeyParams(credential)) params.push_back(std::move(p));
    params.push_back(Param::Text(station_));
    if (auto error = session_.Execute(sql, params)) return error;
    return session_.Commit();
  });
}

std::optional<StoreFault> SqlStore::Status(StoreStatus& status) {
  const auto now = std::chrono::system_clock::now();
  return Run([&]() -> std::optional<DbError> {
    status = StoreStatus{};
    Result counts;
    auto error = session_.Execute(
        "SELECT station, state, COUNT(*) FROM vx_cards GROUP BY station, state ORDER BY station, state", {}, &counts);
    if (!error) error = SelectRows(session_, "state = ? ORDER BY station, format, facility_code, card_number",
                                   {Param::Text(StateWord(CredentialState::Unknown))}, status.unknown);
    std::vector<CredentialRow> reserved;
    if (!error) error = SelectRows(session_, "state = ? ORDER BY station, format, facility_code, card_number",
                                   {Param::Text(StateWord(CredentialState::Reserved))}, reserved);
    session_.Rollback();
    if (error) return error;
    for (const Row& r : counts.rows)
      if (r.size() == 3) status.counts.push_back({r[0].value_or(""), StateOf(r[1]), NumberOf<long long>(r[2])});
    for (CredentialRow& row : reserved) {
      const auto at = TimeOfRecordText(row.reservedAt);
      // A time nobody can read is looked into as well.
      if (!at || now - *at > kStaleReservation) status.staleReservations.push_back(std::move(row));
    }
    return std::nullopt;
  });
}

std::optional<StoreFault> SqlStore::Release(const Credential& credential, bool& released) {
  return Run([&]() -> std::optional<DbError> {
    released = false;
    std::vector<Param> params = KeyParams(credential);
    params.push_back(Param::Text(StateWord(CredentialState::Written)));
    Result result;
    // A written credential is on a card: it is never released.
    if (auto error = session_.Execute(std::string("DELETE FROM vx_cards WHERE ") + kKeyMatch + " AND state <> ?",
                                      params, &result))
      return error;
    released = result.affected > 0;
    return session_.Commit();
  });
}

}  // namespace vx::odbc
