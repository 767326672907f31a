#pragma once
// The shared record: one store of issued credentials that several programming
// stations write through, so that each credential is issued once across all of
// them. The database behind it lets exactly one station have each credential
// (its primary key is the credential); the write flow asks it at two seams:
// reserve before the first byte goes to the device, settle once the outcome is
// known. This header is all the write flow sees of it; the database side lives
// in src/store_odbc/ and is reached through ODBC; this folder holds what needs
// no database (the journal, the connection text's masking, the words).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "carddata/card_outcome.h"
#include "record/record_line.h"

namespace vx {

// One credential: what a door sees of a card.
struct Credential {
  std::string format;  // the format name as the tab uses it ("HID26"), or EM4100
  std::uint32_t facilityCode = 0;
  std::uint32_t cardNumber = 0;
  bool operator==(const Credential&) const = default;
};

// The `state` column of vx_cards, as stored. A free row records that no card
// holds the credential (a card proved to hold other numbers, or it was never
// sent): to every reader it is as if there were no row, and the next station
// to reserve it takes it over.
enum class CredentialState { Reserved, Written, Unknown, Free };
const char* StateWord(CredentialState state);  // "reserved", "written", "unknown", "free"
std::optional<CredentialState> StateOfWord(std::string_view word);  // none for a word not among them

// One row of vx_cards.
struct CredentialRow {
  Credential credential;
  CredentialState state = CredentialState::Reserved;
  std::string station;
  std::string reservedAt;  // ISO 8601 with the UTC offset, as in the CSV record
  std::string writtenAt;   // empty until written
  std::string source;      // "typed" or the card-number file's path
  int entry = 0;           // 1-based entry of that file; 0 for a typed card
  std::string printedNumber = {};  // printed on the card that holds it, or may; empty when none is known
  bool operator==(const CredentialRow&) const = default;
};

// Why the store could not answer: where it is ("db1", or the data source's
// name) and the driver's reason, with any password masked.
struct StoreFault {
  std::string where;
  std::string reason;
  // The server answered and said no for good (a value it cannot hold, a
  // right the station lacks, a table it does not know): trying again is no
  // use. False for a server that cannot be reached or did not answer.
  bool refused = false;
  // "The shared record cannot be reached: db1: <reason>.", or, refused,
  // "The shared record refused it: db1: <reason>."
  std::string Message() const;
  // The reason without the full stop or blanks it may end with.
  std::string Reason() const;
};

// What a reservation found, before anything is sent to the device.
enum class ReserveVerdict {
  Won,            // the credential was free and is now reserved for this station (committed)
  OwnThisRun,     // this station's own reserved or unknown row from this run: write it again
  WrittenBefore,  // written, here or at another station: ask (No preset) before writing again
  HeldElsewhere,  // reserved or unknown at another station: refuse, nothing sent
  OwnEarlierRun,  // this station's own reserved or unknown row left by an earlier run:
                  // written only on the operator's Yes to a question that names it
};

struct Reservation {
  ReserveVerdict verdict = ReserveVerdict::Won;
  // The row as it stood before this reservation; empty for Won.
  std::optional<CredentialRow> existing;
  bool operator==(const Reservation&) const = default;
};

// One write or read that reached the device, for vx_attempts: the CSV
// record's line and the station that made it. The station, the line's time
// (to the millisecond, as RecordTimeNow gives it) and the credential name the
// attempt: one sent twice (a retry, the journal) is stored once.
struct Attempt {
  RecordLine line;
  std::string station;
  bool operator==(const Attempt&) const = default;
};

// Counts of a card-number file's entries in one format, for the batch line
// "Next card: 7 of 500 (3 written here, 12 at other stations)".
struct EntryStates {
  // Per entry of the list, in order: the credential's row, or empty when free.
  std::vector<std::optional<CredentialRow>> rows;
};

// `store status`: counts by state and station, every unknown row, and every
// reservation older than an hour.
struct StoreStatus {
  struct Count {
    std::string station;
    CredentialState state = CredentialState::Reserved;
    long long count = 0;
  };
  std::vector<Count> counts;
  std::vector<CredentialRow> unknown;
  std::vector<CredentialRow> staleReservations;
};

// Where a store is: its database and the server it is on (either may be
// empty), and this station's name in it.
struct StorePlace {
  std::string database;
  std::string server;
  std::string station;
  // Whether the connection is encrypted, as the engine said; empty when the
  // engine cannot be asked.
  std::optional<bool> encrypted;
};
// "cards on db1, station DESK-2", "db1, station DESK-2", in the operator's
// language, with ", not encrypted" when the engine said the connection is not.
std::string PlaceText(const StorePlace& place);

class SharedStore {
 public:
  virtual ~SharedStore() = default;

  virtual StorePlace Place() const = 0;
  std::string Where() const { return PlaceText(Place()); }
  virtual const std::string& Station() const = 0;

  // Reserves `credential` for this station, or says who has it. A
  // Won reservation is committed on its own before this returns.
  virtual std::optional<StoreFault> Reserve(const Credential& credential, const std::string& source, int entry,
                                            Reservation& result) = 0;

  // In one transaction, the attempt row goes into vx_attempts and the
  // credential's row changes as the verdict says (verified: written; proved
  // to hold other numbers: the reservation becomes free when no card holds
  // the credential; no acknowledgement or no read-back: unknown, kept for
  // this station). `before` is what Reserve found. Committed when this returns
  // without a fault.
  virtual std::optional<StoreFault> Settle(const Credential& credential, const Reservation& before,
                                           CardVerdict verdict, const Attempt& attempt) = 0;

  // A reservation this station won and never sent: its row becomes free.
  virtual std::optional<StoreFault> GiveBack(const Credential& credential) = 0;

  // A Read Card that reached the device: its row in vx_attempts.
  virtual std::optional<StoreFault> RecordRead(const Attempt& attempt) = 0;

  // The row of one credential, or empty when it is free (no row, or a free one).
  virtual std::optional<StoreFault> Find(const Credential& credential, std::optional<CredentialRow>& row) = 0;

  // The rows of many credentials of one format at once (a batch's entries).
  virtual std::optional<StoreFault> FindMany(const std::string& format,
                                             const std::vector<CardNumbers>& cards, EntryStates& states) = 0;

  // Every credential a card holds (state written), at any station, in the
  // order of their writes: what an access-control system imports.
  virtual std::optional<StoreFault> WrittenRows(std::vector<CredentialRow>& rows) = 0;

  // Every attempt of vx_attempts, at any station, in the order of their
  // times as recorded: what a job report counts, as it counts a card
  // record's lines.
  virtual std::optional<StoreFault> AttemptRows(std::vector<Attempt>& attempts) = 0;

  // This station's own reserved rows left by an earlier run.
  virtual std::optional<StoreFault> UnsettledFromEarlierRuns(std::vector<CredentialRow>& rows) = 0;
  // After the card on the reader was read, an unsettled row becomes
  // written (the card holds it) or unknown (it does not, or no card answered).
  virtual std::optional<StoreFault> Resolve(const Credential& credential, CredentialState state) = 0;

  // `store status` and `store release FORMAT FC CN` (a supervisor has checked
  // the card). A release goes with an attempt row that names this station, as
  // "released", in the same transaction; a station's login may not release.
  virtual std::optional<StoreFault> Status(StoreStatus& status) = 0;
  virtual std::optional<StoreFault> Release(const Credential& credential, bool& released) = 0;
};

}  // namespace vx
