#pragma once
// The job report a card bureau hands over with a box of cards: what the job
// was, how it went, when and where, and the list of what was written. One
// self-contained HTML page in the operator's language, with its chart drawn
// as inline SVG: no script, no outside resource, so it opens and prints the
// same anywhere, on A4 as on Letter.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exports/written_credentials.h"

namespace vx {

struct JobReport {
  std::vector<std::string> sources;  // the card files, "typed" among them, in order of first use
  std::vector<std::string> formats;
  std::optional<std::pair<std::uint32_t, std::uint32_t>> facilityCodes;  // lowest, highest written
  std::optional<std::pair<std::uint32_t, std::uint32_t>> cardNumbers;
  std::string printedFirst, printedLast;  // of the credentials written; empty when none has one
  int written = 0;         // credentials whose last outcome is written
  int failedAttempts = 0;  // writes that did not end written
  int unknown = 0;         // credentials whose last write may or may not be on a card
  std::optional<int> passedOver;  // entries other stations took; known from the shared record only
  std::string firstTime, lastTime;  // of the writes, as recorded
  std::map<std::string, int> writtenAtStation;  // credentials written, by station
  std::vector<ExportedCredential> credentials;  // written, in the order written
};

// What `outcomes` (a card record's or the shared record's, as an export
// reads them) say of the job, narrowed by `filter` as an export is.
JobReport SummarizeJob(std::vector<CredentialOutcome> outcomes, const ExportFilter& filter);

// The code of a catalogue (pt_BR) as an HTML page names its language, the
// way BCP 47 writes it (pt-BR).
std::string ReportLanguageTag(std::string_view catalogue);

// The page, in the language in use; `language` is its code (de, pt-BR ...).
std::string RenderJobReport(const JobReport& report, std::string_view language);

}  // namespace vx
