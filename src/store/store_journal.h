#pragma once
// The journal of outcomes the shared record has not yet taken. A card written
// while the store could not be reached has its settle kept here, on disk
// (synced) before its banner shows, and committed first thing when the store
// is back, before any other card. Its reservation stands meanwhile, so no
// other station can take that credential. One file in the user folder.

#include <optional>
#include <string>
#include <vector>

#include "store/shared_store.h"

namespace vx {

// One settle the store has not taken: the arguments of SharedStore::Settle.
struct JournalEntry {
  Credential credential;
  Reservation before;
  CardVerdict verdict = CardVerdict::NoAcknowledgement;
  Attempt attempt;
  bool operator==(const JournalEntry&) const = default;
};

// The journal's file in `userFolder` (UTF-8).
// One journal a station: stations that share a computer and its user
// folder must not rewrite each other's entries. The name carries the
// station's name, its letters outside [A-Za-z0-9._-] as %XX of their UTF-8.
std::string JournalPath(const std::string& userFolder, const std::string& station = "");

// Appends one entry and syncs it. The reason in plain words on failure.
std::optional<std::string> AppendJournal(const std::string& path, const JournalEntry& entry);
// Every whole entry, oldest first; none when the file does not exist. A partial
// last entry (a crash while it was written) is passed over.
std::optional<std::string> ReadJournal(const std::string& path, std::vector<JournalEntry>& entries);
// Replaces the journal by `entries` (those still not taken); removes the file
// when none is left.
std::optional<std::string> RewriteJournal(const std::string& path, const std::vector<JournalEntry>& entries);

// Commits the journal's entries to `store`, oldest first, and keeps those it
// could not. Empty when the journal is now empty; else the fault that stopped it.
std::optional<StoreFault> ReplayJournal(const std::string& path, SharedStore& store);

}  // namespace vx
