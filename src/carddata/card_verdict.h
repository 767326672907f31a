#pragma once
// What the device made of one Write Card or Read Card, and the words each
// is written down in, once.

#include <optional>
#include <string_view>

namespace vx {

enum class CardVerdict {
  Written,            // acknowledged, read back, the card holds what was sent
  VerifyFailed,       // read back, but the card holds other numbers
  NoAcknowledgement,  // the device never acknowledged the write
  NoReadBack,         // acknowledged, but no card data came back
  ReadBackRefused,    // acknowledged, but the read-back was answered with no card data
  Read,               // a Read Card that got card data
  ReadFailed,         // no answer to a Read Card
  ReadRefused,        // a Read Card answered with no card data
};

// A verdict has two spellings, and both are on disk already, so neither may
// change: the record's (the CSV's outcome column, `--json` and
// vx_attempts.outcome, read back for a resume and queried by sites) is plain
// words; the journal's (a settle waiting for the shared record) is one token,
// as its other fields are.
struct VerdictWords {
  CardVerdict verdict;
  std::string_view record;
  std::string_view journal;
};

inline constexpr VerdictWords kVerdictWords[] = {
    {CardVerdict::Written, "written", "written"},
    {CardVerdict::VerifyFailed, "verify failed", "verify-failed"},
    {CardVerdict::NoAcknowledgement, "no acknowledgement", "no-acknowledgement"},
    {CardVerdict::NoReadBack, "no read-back", "no-read-back"},
    {CardVerdict::ReadBackRefused, "read-back refused", "read-back-refused"},
    {CardVerdict::Read, "read", "read"},
    {CardVerdict::ReadFailed, "read failed", "read-failed"},
    {CardVerdict::ReadRefused, "read refused", "read-refused"},
};

constexpr const VerdictWords& WordsOf(CardVerdict verdict) {
  for (const VerdictWords& words : kVerdictWords)
    if (words.verdict == verdict) return words;
  return kVerdictWords[0];  // every verdict is in the table
}

// "verify failed": the record's word.
constexpr std::string_view RecordWordOf(CardVerdict verdict) { return WordsOf(verdict).record; }
// "verify-failed": the journal's word.
constexpr std::string_view JournalWordOf(CardVerdict verdict) { return WordsOf(verdict).journal; }

// A write whose card may hold what was sent, or may not: the device never
// acknowledged it, or acknowledged it and gave no card data back. The
// shared record keeps such a credential as unknown.
constexpr bool MayHoldCredential(CardVerdict verdict) {
  return verdict == CardVerdict::NoAcknowledgement || verdict == CardVerdict::NoReadBack ||
         verdict == CardVerdict::ReadBackRefused;
}

// The verdict the record's `word` names, if any does.
constexpr std::optional<CardVerdict> VerdictOfRecordWord(std::string_view word) {
  for (const VerdictWords& words : kVerdictWords)
    if (words.record == word) return words.verdict;
  return std::nullopt;
}

// The verdict the journal's `word` names, if any does.
constexpr std::optional<CardVerdict> VerdictOfJournalWord(std::string_view word) {
  for (const VerdictWords& words : kVerdictWords)
    if (words.journal == word) return words.verdict;
  return std::nullopt;
}

}  // namespace vx
