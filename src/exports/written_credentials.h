#pragma once
// Which credentials an import file lists: those whose last outcome is
// `written`, each once, in the order of the write that stands. The card
// record (every attempt, from one file or several) and the shared record (one
// row a credential, whose state is its last outcome) are read by one rule:
// each becomes a list of outcomes, and the last outcome of a credential
// decides. A credential written again later counts with the source, station
// and date of its last write.

#include <cstdint>
#include <string>
#include <vector>

#include "record/record_line.h"
#include "store/shared_store.h"

namespace vx {

// One credential as an access-control system imports it.
struct ExportedCredential {
  std::string format;  // upper case: HID26, EM4100
  std::uint32_t facilityCode = 0;
  std::uint32_t cardNumber = 0;
  std::string printed;  // the number printed on the card; empty when the record has none
  std::string time;     // when it was written, as recorded
  std::string source;   // "typed" or the card-number file's full path
  std::string station;  // where the shared record says it was written; empty from a card record
  bool operator==(const ExportedCredential&) const = default;
};

// What one attempt, or one row, says became of a credential.
struct CredentialOutcome {
  ExportedCredential credential;
  bool written = false;
  bool failedAttempt = false;  // a write the device did not confirm (an attempt; never a row)
  bool mayHold = false;        // not confirmed, yet the card may hold it: unknown
};

// Narrows what is listed; an empty text narrows nothing.
struct ExportFilter {
  std::string source = {};   // the `source` as recorded: a card-number file's full path, or "typed"
  std::string station = {};  // the shared record's station
  std::string since = {};    // YYYY-MM-DD, the first day, inclusive, on the write's date as recorded
  std::string until = {};    // YYYY-MM-DD, the last day, inclusive
  std::string format = {};   // in either case
};

// The attempts of a card record, in its order. Reads (no numbers) are no
// credentials; nor is a line whose format, numbers or time the program could
// not have written (an edited or damaged line), so nothing from outside that
// is not a card's numbers reaches an import file.
std::vector<CredentialOutcome> OutcomesOfRecord(const std::vector<RecordLine>& lines);
// The shared record's attempts, by the same rule, each with its station.
std::vector<CredentialOutcome> OutcomesOfAttempts(const std::vector<Attempt>& attempts);
// The shared record's rows, held to the same checks.
std::vector<CredentialOutcome> OutcomesOfRows(const std::vector<CredentialRow>& rows);

// A card record's outcomes and the shared record's attempts together. A
// station that keeps both has each of its attempts in each (the same time and
// credential): it counts once, as the shared record has it, with its station.
std::vector<CredentialOutcome> JoinedWithAttempts(std::vector<CredentialOutcome> record,
                                                  std::vector<CredentialOutcome> attempts);

// Whether `filter` lets `credential` through.
bool FilterLets(const ExportFilter& filter, const ExportedCredential& credential);

// Each credential's last outcome, in the order of the outcomes' times
// (outcomes of one time in the order given), in the order of those outcomes.
std::vector<CredentialOutcome> LastOutcomes(std::vector<CredentialOutcome> outcomes);

// The credentials whose last outcome, in the order of the outcomes' times
// (outcomes of one time in the order given), is `written` and whose last
// write `filter` lets through; each once, in the order of those writes.
std::vector<ExportedCredential> SelectWritten(std::vector<CredentialOutcome> outcomes, const ExportFilter& filter);

}  // namespace vx
