#pragma once
// The shared record on a database reached through ODBC: the SharedStore that
// the write flow asks. Every call is a transaction of its own. A connection
// that broke since the last call is made again once, so a server restarted
// between two cards goes unnoticed; a server that does not answer at all
// (frozen, or its network gone) is a fault within seconds, never a hang.

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "store/shared_store.h"
#include "store_odbc/connection_text.h"
#include "store_odbc/odbc_session.h"

namespace vx::odbc {

class SqlStore final : public SharedStore {
 public:
  // How long one call may take, a new connection included, before it is
  // given up as a fault. The connection it was on is left to its fate.
  static constexpr auto kCallDeadline = std::chrono::seconds(6);

  SqlStore(ConnectionText connection, std::string station);

  // Connects and sees to the tables (made when missing, refused when wrong).
  std::optional<StoreFault> Open();

  StorePlace Place() const override;
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
  using Key = std::tuple<std::string, std::uint32_t, std::uint32_t>;
  // A call's work on a connection. It runs on a thread of its own and may
  // outlive the call, so it holds copies of all it uses.
  using Work = std::function<std::optional<DbError>(Session&)>;
  std::optional<StoreFault> Run(Work work);
  static Key KeyOf(const Credential& credential);
  bool OwnedThisRun(const Credential& credential) const { return ownThisRun_.contains(KeyOf(credential)); }
  // Where the faults say the store is: the server or data source, or "the
  // database" when the connection text names neither.
  std::string FaultPlace() const;

  ConnectionText connection_;
  std::string station_;
  std::string database_, server_;  // for Where(), from the text or else the driver
  std::optional<bool> encrypted_;  // as the engine said once connected; empty when it cannot be asked
  std::shared_ptr<Session> session_;
  // The credentials this object reserved or settled as this station's own:
  // "this run". Rows of this station that are not here are an earlier run's.
  std::set<Key> ownThisRun_;
  // The times of reservations whose call failed: the insert may have been
  // committed all the same, and the row is then this run's, never written.
  std::map<Key, std::vector<std::string>> unconfirmed_;
};

}  // namespace vx::odbc
