#pragma once
// The shared record on a database reached through ODBC: the SharedStore that
// the write flow asks. Every call runs on one connection of its own, in a
// transaction of its own; a connection that broke since the last call is made
// again once, so a server restarted between two cards goes unnoticed.

#include <set>
#include <tuple>

#include "store/shared_store.h"
#include "store_odbc/connection_text.h"
#include "store_odbc/odbc_session.h"

namespace vx::odbc {

class SqlStore final : public SharedStore {
 public:
  SqlStore(ConnectionText connection, std::string station);

  // Connects and sees to the tables (made when missing, refused when wrong).
  std::optional<StoreFault> Open();

  std::string Where() const override;
  const std::string& Station() const override { return station_; }
  std::optional<StoreFault> Reserve(const Credential& credential, const std::string& source, int entry,
                                    Reservation& result) override;
  std::optional<StoreFault> Settle(const Credential& credential, const Reservation& before, CardVerdict verdict,
                                   const Attempt& attempt) override;
  std::optional<StoreFault> RecordRead(const Attempt& attempt) override;
  std::optional<StoreFault> Find(const Credential& credential, std::optional<CredentialRow>& row) override;
  std::optional<StoreFault> FindMany(const std::string& format, const std::vector<CardNumbers>& cards,
                                     EntryStates& states) override;
  std::optional<StoreFault> UnsettledFromEarlierRuns(std::vector<CredentialRow>& rows) override;
  std::optional<StoreFault> Resolve(const Credential& credential, CredentialState state) override;
  std::optional<StoreFault> Status(StoreStatus& status) override;
  std::optional<StoreFault> Release(const Credential& credential, bool& released) override;

 private:
  using Key = std::tuple<std::string, std::uint32_t, std::uint32_t>;
  template <typename Work>
  std::optional<StoreFault> Run(Work work);
  std::optional<DbError> Connect();
  StoreFault FaultOf(const DbError& error) const;
  std::optional<DbError> SelectRow(const Credential& credential, std::optional<CredentialRow>& row);
  std::optional<DbError> InsertAttempt(const Attempt& attempt, bool& alreadyThere);
  std::optional<DbError> PutRow(const Credential& credential, CredentialState state, const Attempt& attempt);
  bool OwnedThisRun(const Credential& credential) const;

  ConnectionText connection_;
  std::string station_;
  std::string database_, server_;  // for Where(), from the text or else the driver
  Session session_;
  // The credentials this object reserved or settled as this station's own:
  // "this run". Rows of this station that are not here are an earlier run's.
  std::set<Key> ownThisRun_;
};

}  // namespace vx::odbc
