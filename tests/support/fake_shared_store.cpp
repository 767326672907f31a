#include "support/fake_shared_store.h"

#include <algorithm>

namespace vx::test {

std::string PairOf(const Credential& c) { return std::to_string(c.facilityCode) + "," + std::to_string(c.cardNumber); }

namespace {

std::string Named(const Credential& c) { return c.format + " " + PairOf(c); }

}  // namespace

std::optional<CredentialRow> FakeDatabase::Row(const Credential& credential) const {
  const auto it = rows.find(KeyOf(credential));
  if (it == rows.end()) return std::nullopt;
  return it->second.row;
}

FakeSharedStore::FakeSharedStore(std::shared_ptr<FakeDatabase> db, std::string station)
    : db_(std::move(db)), station_(std::move(station)), run_(++db_->runs) {}

std::optional<StoreFault> FakeSharedStore::Call(const std::string& what) {
  if (db_->unreachable) {
    db_->calls.push_back(what + " (lost)");
    return db_->fault;
  }
  for (const std::string& refused : db_->refuses) {
    if (!what.starts_with(refused)) continue;
    db_->calls.push_back(what + " (refused)");
    return db_->refusal;
  }
  db_->calls.push_back(what);
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::Reserve(const Credential& credential, const std::string& source,
                                                   int entry, Reservation& result) {
  if (auto fault = Call("Reserve " + Named(credential))) return fault;
  const auto it = db_->rows.find(FakeDatabase::KeyOf(credential));
  if (it == db_->rows.end()) {
    db_->rows[FakeDatabase::KeyOf(credential)] = {
        {credential, CredentialState::Reserved, station_, db_->now, "", source, entry}, run_};
    result = {ReserveVerdict::Won, std::nullopt};
    return std::nullopt;
  }
  const FakeDatabase::Stored& stored = it->second;
  result.existing = stored.row;
  if (stored.row.state == CredentialState::Written)
    result.verdict = ReserveVerdict::WrittenBefore;
  else if (stored.row.station != station_)
    result.verdict = ReserveVerdict::HeldElsewhere;
  else
    result.verdict = stored.run == run_ ? ReserveVerdict::OwnThisRun : ReserveVerdict::OwnEarlierRun;
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::Settle(const Credential& credential, const Reservation& before,
                                                  CardVerdict verdict, const Attempt& attempt) {
  if (auto fault = Call("Settle " + Named(credential) + " " + attempt.line.outcome)) return fault;
  db_->attempts.push_back(attempt);
  const FakeDatabase::Key key = FakeDatabase::KeyOf(credential);
  // A credential written before stays written whatever this attempt did: a
  // card holds it already.
  const bool heldByACard = before.verdict == ReserveVerdict::WrittenBefore;
  FakeDatabase::Stored& stored = db_->rows[key];
  stored.row.credential = credential;
  switch (verdict) {
    case CardVerdict::Written:
      stored.row.state = CredentialState::Written;
      stored.row.station = station_;
      stored.row.writtenAt = attempt.line.time;
      stored.row.source = attempt.line.source;
      stored.row.entry = attempt.line.entry;
      stored.row.printedNumber = attempt.line.printedNumber;
      stored.run = run_;
      break;
    case CardVerdict::VerifyFailed:
      if (!heldByACard) db_->rows.erase(key);
      break;
    default:
      if (!heldByACard) {
        stored.row.state = CredentialState::Unknown;
        stored.row.station = station_;
        stored.run = run_;
      }
      break;
  }
  return std::nullopt;
}

// A free row is no row to every reader, so the fake keeps none.
std::optional<StoreFault> FakeSharedStore::GiveBack(const Credential& credential) {
  if (auto fault = Call("GiveBack " + Named(credential))) return fault;
  const auto it = db_->rows.find(FakeDatabase::KeyOf(credential));
  if (it != db_->rows.end() && it->second.row.station == station_ && it->second.row.state == CredentialState::Reserved)
    db_->rows.erase(it);
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::RecordRead(const Attempt& attempt) {
  if (auto fault = Call("RecordRead " + attempt.line.outcome)) return fault;
  db_->attempts.push_back(attempt);
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::Find(const Credential& credential, std::optional<CredentialRow>& row) {
  if (auto fault = Call("Find " + Named(credential))) return fault;
  row = db_->Row(credential);
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::FindMany(const std::string& format, const std::vector<CardNumbers>& cards,
                                                    EntryStates& states) {
  if (auto fault = Call("FindMany " + format)) return fault;
  states.rows.clear();
  for (const CardNumbers& card : cards)
    states.rows.push_back(db_->Row({format, card.facilityCode, card.cardNumber}));
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::WrittenRows(std::vector<CredentialRow>& rows) {
  if (auto fault = Call("WrittenRows")) return fault;
  rows.clear();
  for (const auto& [key, stored] : db_->rows)
    if (stored.row.state == CredentialState::Written) rows.push_back(stored.row);
  std::stable_sort(rows.begin(), rows.end(),
                   [](const CredentialRow& a, const CredentialRow& b) { return a.writtenAt < b.writtenAt; });
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::AttemptRows(std::vector<Attempt>& attempts) {
  if (auto fault = Call("AttemptRows")) return fault;
  attempts = db_->attempts;
  std::stable_sort(attempts.begin(), attempts.end(),
                   [](const Attempt& a, const Attempt& b) { return a.line.time < b.line.time; });
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::UnsettledFromEarlierRuns(std::vector<CredentialRow>& rows) {
  if (auto fault = Call("UnsettledFromEarlierRuns")) return fault;
  rows.clear();
  for (const auto& [key, stored] : db_->rows)
    if (stored.row.station == station_ && stored.row.state == CredentialState::Reserved && stored.run != run_)
      rows.push_back(stored.row);
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::Resolve(const Credential& credential, CredentialState state) {
  if (auto fault = Call("Resolve " + Named(credential) + " " + StateWord(state))) return fault;
  const auto it = db_->rows.find(FakeDatabase::KeyOf(credential));
  if (it != db_->rows.end()) it->second.row.state = state;
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::Status(StoreStatus& status) {
  if (auto fault = Call("Status")) return fault;
  status = {};
  for (const auto& [key, stored] : db_->rows) {
    if (stored.row.state == CredentialState::Unknown) status.unknown.push_back(stored.row);
    bool counted = false;
    for (StoreStatus::Count& count : status.counts)
      if (count.station == stored.row.station && count.state == stored.row.state) counted = (++count.count, true);
    if (!counted) status.counts.push_back({stored.row.station, stored.row.state, 1});
  }
  return std::nullopt;
}

std::optional<StoreFault> FakeSharedStore::Release(const Credential& credential, bool& released) {
  if (auto fault = Call("Release " + Named(credential))) return fault;
  released = db_->rows.erase(FakeDatabase::KeyOf(credential)) > 0;
  return std::nullopt;
}

}  // namespace vx::test
