#pragma once
// The shared record without a database: one table of credentials and one of
// attempts, kept by the rules the real store keeps (the key lets one station
// have each credential; verified is written, a read-back that proves other
// numbers frees it, no answer leaves it unknown at its station). Each
// FakeSharedStore is one run of one station on the same FakeDatabase; a
// switch makes the database unreachable, as a pulled plug does.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "store/shared_store.h"

namespace vx::test {

struct FakeDatabase {
  struct Stored {
    CredentialRow row;
    int run = 0;  // the run (connection) that last reserved or wrote it; 0: an earlier one
  };
  using Key = std::tuple<std::string, std::uint32_t, std::uint32_t>;

  std::map<Key, Stored> rows;
  std::vector<Attempt> attempts;
  // Every call of every station, in order: "Reserve HID26 12,1000",
  // "Settle HID26 12,1000 written", ...; " (lost)" when it could not be reached.
  std::vector<std::string> calls;
  bool unreachable = false;
  StoreFault fault{"db1", "server closed the connection unexpectedly"};
  // Calls the server answers and refuses for good, by the start of their
  // log text ("Settle HID26 12,1000"); " (refused)" in the log.
  std::vector<std::string> refuses;
  StoreFault refusal{"db1", "value too long for type character varying(64)", true};
  std::string now = "2026-12-02T09:00:00+01:00";  // reserved_at of new rows
  int runs = 0;

  // A row left by another station or by an earlier run of this one.
  void Put(const CredentialRow& row, int run = 0) { rows[KeyOf(row.credential)] = {row, run}; }
  std::optional<CredentialRow> Row(const Credential& credential) const;
  static Key KeyOf(const Credential& c) { return {c.format, c.facilityCode, c.cardNumber}; }
};

class FakeSharedStore : public SharedStore {
 public:
  FakeSharedStore(std::shared_ptr<FakeDatabase> db, std::string station);

  StorePlace Place() const override { return {"cards", "db1", station_, std::nullopt}; }
  const std::string& Station() const override { return station_; }
  std::optional<StoreFault> Reserve(const Credential& credential, const std::string& source, int entry,
                                    Reservation& result) override;
  std::optional<StoreFault> Settle(const Credential& credential, const Reservation& before, CardVerdict verdict,
                                   const Attempt& attempt) override;
  std::optional<StoreFault> GiveBack(const Credential& credential) override;
  std::optional<StoreFault> RecordRead(const Attempt& attempt) override;
  std::optional<StoreFault> Find(const Credential& credential, std::optional<CredentialRow>& row) override;
  std::optional<StoreFault> FindMany(const std::string& format, const std::vector<CardNumbers>& cards,
                                     EntryStates& states) override;
  std::optional<StoreFault> WrittenRows(std::vector<CredentialRow>& rows) override;
  std::optional<StoreFault> AttemptRows(std::vector<Attempt>& attempts) override;
  std::optional<StoreFault> UnsettledFromEarlierRuns(std::vector<CredentialRow>& rows) override;
  std::optional<StoreFault> Resolve(const Credential& credential, CredentialState state) override;
  std::optional<StoreFault> Status(StoreStatus& status) override;
  std::optional<StoreFault> Release(const Credential& credential, bool& released) override;

 private:
  // Logs the call; the fault when the database cannot be reached or refuses it.
  std::optional<StoreFault> Call(const std::string& what);

  std::shared_ptr<FakeDatabase> db_;
  std::string station_;
  int run_;
};

// "12,1000" of a credential, for the calls' log.
std::string PairOf(const Credential& credential);

}  // namespace vx::test
