#include "exports/written_credentials.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

#include "carddata/card_data.h"
#include "carddata/card_outcome.h"
#include "carddata/card_verdict.h"
#include "i18n/ascii_case.h"
#include "record/record_columns.h"
#include "record/record_time.h"

namespace vx {

namespace {

// A format name as the tabs and HID.cfg give them: letters and digits.
bool PlausibleFormatName(std::string_view name) {
  if (name.empty() || name.size() > static_cast<std::size_t>(kFormatColumnLength)) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  });
}

// A printed number as the card-number file gives them: none, or digits.
bool PlausiblePrintedNumber(std::string_view printed) {
  return printed.size() <= static_cast<std::size_t>(kPrintedColumnLength) &&
         std::all_of(printed.begin(), printed.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The credential when its format, numbers, printed number and time are what
// a card of that kind can carry and the record writes.
std::optional<ExportedCredential> CheckedCredential(std::string_view format, std::string_view fc, std::string_view cn,
                                                    const std::string& printed, const std::string& time) {
  if (!PlausibleFormatName(format) || !PlausiblePrintedNumber(printed) || !TimeOfRecordText(time)) return std::nullopt;
  ExportedCredential credential;
  credential.format = AsciiUppered(format);
  const bool em4100 = credential.format == kEm4100FormatName;
  const auto facilityCode = WholeNumberUpTo(fc, em4100 ? kEm4100FcLimit : kHidFcLimit);
  const auto cardNumber = WholeNumberUpTo(cn, em4100 ? kEm4100CnLimit : kHidCnLimit);
  if (!facilityCode || !cardNumber) return std::nullopt;
  credential.facilityCode = *facilityCode;
  credential.cardNumber = *cardNumber;
  credential.time = time;
  return credential;
}

}  // namespace

bool FilterLets(const ExportFilter& filter, const ExportedCredential& c) {
  // The time was checked as a record time: its first ten characters are the date.
  const std::string_view date = std::string_view(c.time).substr(0, 10);
  return (filter.source.empty() || c.source == filter.source) &&
         (filter.station.empty() || c.station == filter.station) &&
         (filter.since.empty() || date >= filter.since) && (filter.until.empty() || date <= filter.until) &&
         (filter.format.empty() || EqualsIgnoringAsciiCase(c.format, filter.format));
}

namespace {

// What one attempt says; none for a read or a line held back by the checks.
// An attempt that names no write's outcome (a release in the shared record)
// leaves its credential on no card, and is no failed attempt.
std::optional<CredentialOutcome> OutcomeOfLine(const RecordLine& line) {
  if (line.facilityCode.empty() && line.cardNumber.empty()) return std::nullopt;  // a read
  auto credential = CheckedCredential(line.format, line.facilityCode, line.cardNumber, line.printedNumber, line.time);
  if (!credential) return std::nullopt;
  credential->source = line.source;
  credential->printed = line.printedNumber;
  const bool written = line.outcome == kWrittenOutcome;
  const std::optional<CardVerdict> verdict = VerdictOfRecordWord(line.outcome);
  const bool write = verdict && IsWrite(*verdict);
  return CredentialOutcome{std::move(*credential), written, write && !written, write && MayHoldCredential(*verdict)};
}

}  // namespace

std::vector<CredentialOutcome> OutcomesOfRecord(const std::vector<RecordLine>& lines) {
  std::vector<CredentialOutcome> outcomes;
  for (const RecordLine& line : lines)
    if (auto outcome = OutcomeOfLine(line)) outcomes.push_back(std::move(*outcome));
  return outcomes;
}

std::vector<CredentialOutcome> OutcomesOfAttempts(const std::vector<Attempt>& attempts) {
  std::vector<CredentialOutcome> outcomes;
  for (const Attempt& attempt : attempts) {
    auto outcome = OutcomeOfLine(attempt.line);
    if (!outcome) continue;
    outcome->credential.station = attempt.station;
    outcomes.push_back(std::move(*outcome));
  }
  return outcomes;
}

std::vector<CredentialOutcome> JoinedWithAttempts(std::vector<CredentialOutcome> record,
                                                  std::vector<CredentialOutcome> attempts) {
  using Key = std::tuple<std::string, std::string, std::uint32_t, std::uint32_t>;
  const auto keyOf = [](const CredentialOutcome& o) {
    return Key{o.credential.time, o.credential.format, o.credential.facilityCode, o.credential.cardNumber};
  };
  std::set<Key> inShared;
  for (const CredentialOutcome& outcome : attempts) inShared.insert(keyOf(outcome));
  std::erase_if(record, [&](const CredentialOutcome& outcome) { return inShared.contains(keyOf(outcome)); });
  record.insert(record.end(), std::make_move_iterator(attempts.begin()), std::make_move_iterator(attempts.end()));
  return record;
}

std::vector<CredentialOutcome> OutcomesOfRows(const std::vector<CredentialRow>& rows) {
  std::vector<CredentialOutcome> outcomes;
  for (const CredentialRow& row : rows) {
    const bool written = row.state == CredentialState::Written;
    auto credential = CheckedCredential(row.credential.format, std::to_string(row.credential.facilityCode),
                                        std::to_string(row.credential.cardNumber), row.printedNumber,
                                        written ? row.writtenAt : row.reservedAt);
    if (!credential) continue;
    credential->source = row.source;
    credential->station = row.station;
    credential->printed = row.printedNumber;
    outcomes.push_back({std::move(*credential), written, false, row.state == CredentialState::Unknown});
  }
  return outcomes;
}

std::vector<CredentialOutcome> LastOutcomes(std::vector<CredentialOutcome> outcomes) {
  // Records of stations in other time zones are put in one order by the
  // instant each time names; every time was checked to name one.
  std::vector<std::pair<std::chrono::system_clock::time_point, std::size_t>> order;
  order.reserve(outcomes.size());
  for (std::size_t i = 0; i < outcomes.size(); ++i)
    order.emplace_back(*TimeOfRecordText(outcomes[i].credential.time), i);
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  using Key = std::tuple<std::string, std::uint32_t, std::uint32_t>;
  const auto keyOf = [&outcomes](std::size_t i) {
    const ExportedCredential& c = outcomes[i].credential;
    return Key{c.format, c.facilityCode, c.cardNumber};
  };
  std::map<Key, std::size_t> last;
  for (const auto& [instant, i] : order) last[keyOf(i)] = i;
  std::vector<CredentialOutcome> lastOnes;
  for (const auto& [instant, i] : order)
    if (last[keyOf(i)] == i) lastOnes.push_back(std::move(outcomes[i]));
  return lastOnes;
}

std::vector<ExportedCredential> SelectWritten(std::vector<CredentialOutcome> outcomes, const ExportFilter& filter) {
  std::vector<ExportedCredential> selected;
  for (CredentialOutcome& outcome : LastOutcomes(std::move(outcomes)))
    if (outcome.written && FilterLets(filter, outcome.credential)) selected.push_back(std::move(outcome.credential));
  return selected;
}

}  // namespace vx
