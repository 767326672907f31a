#pragma once
// The journal of outcomes the shared record has not yet taken. A card written
// while the store could not be reached has its settle kept here, on disk
// (synced) before its banner shows, and committed first thing when the store
// is back, before any other card. Its reservation stands meanwhile, so no
// other station can take that credential. One file in the user folder,
// private to its user, with two beside it for what it could not keep: the
// settles the store refused for good and the lines that cannot be read.

#include <optional>
#include <string>
#include <string_view>
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

// The files beside the journal at `journalPath`: the settles the store
// refused for good, as the journal writes them
// ("shared-record-refused-DESK-2.txt"), and the lines of the journal that
// cannot be read, as they were ("shared-record-damaged-DESK-2.txt").
std::string RefusedPath(const std::string& journalPath);
std::string DamagedPath(const std::string& journalPath);

// One entry as the journal writes it, with its line break.
std::string JournalLine(const JournalEntry& entry);

// A line of the journal that is not an entry: its number (from 1) and its bytes.
struct DamagedLine {
  int number = 0;
  std::string text;
  bool operator==(const DamagedLine&) const = default;
};
// What a journal's text holds. Blank lines hold nothing.
struct JournalText {
  std::vector<JournalEntry> entries;  // oldest first
  std::vector<DamagedLine> damaged;   // whole lines that are not entries
  // A last line that is not an entry and has no line break: an entry whose
  // append a crash cut short. The next append ends its line, and from then
  // on it is damaged like any other.
  std::optional<DamagedLine> unended;
};
JournalText ParseJournal(std::string_view text);

// Appends one entry and syncs it. The reason in plain words on failure.
std::optional<std::string> AppendJournal(const std::string& path, const JournalEntry& entry);
// What the journal holds; nothing when the file does not exist.
std::optional<std::string> ReadJournal(const std::string& path, JournalText& journal);
// Replaces the journal by `entries` (those still not taken); removes the file
// when none is left.
std::optional<std::string> RewriteJournal(const std::string& path, const std::vector<JournalEntry>& entries);

struct JournalReplay {
  // What stopped it: the store cannot be reached (the entries from there on
  // wait in the journal), or the journal's files cannot be used.
  std::optional<StoreFault> fault;
  // What was kept aside and where, a message each: lines that cannot be
  // read, settles the store refused for good.
  std::vector<std::string> told;
  // All that was told, a paragraph each, for one message.
  std::string Told() const;
};
// Commits the journal's entries to `store`, oldest first. A settle the store
// refuses for good is moved to the refused file and the next one goes on;
// its reservation stands, so no other station takes it. Lines that cannot be
// read are moved to the damaged file. What the store could not be reached
// for stays in the journal.
JournalReplay ReplayJournal(const std::string& path, SharedStore& store);

// Moves a settle the store refused for good to the refused file beside the
// journal at `journalPath`. The reason in plain words on failure.
std::optional<std::string> KeepRefused(const std::string& journalPath, const JournalEntry& entry);
// "The shared record refused the outcome of 12,1000 (HID26) (written): ...
// It is kept in FILE, ...": which credential, why, and where it is kept.
std::string RefusedSettleText(const JournalEntry& entry, const StoreFault& fault, const std::string& keptIn);

// A settle kept aside in a refused file, for `store status`.
struct KeptAside {
  std::string file;
  JournalEntry entry;
};
// The settles kept aside in the refused files of every station in `folder`
// (the journals' folder). What could not be read is said, a line each, in `problems`.
std::vector<KeptAside> KeptAsideIn(const std::string& folder, std::vector<std::string>& problems);

}  // namespace vx
