// TEMPORARY STAND-IN, to be deleted when the shared record's own code is
// merged: the pure parts of src/store (the words, the masking, the journal),
// just enough for the write flow to link and be tested. The journal is kept
// in memory only.

#include <cctype>
#include <map>

#include "store/shared_store.h"
#include "store/store_connection.h"
#include "store/store_journal.h"

namespace vx {

namespace {

std::map<std::string, std::vector<JournalEntry>>& Journals() {
  static std::map<std::string, std::vector<JournalEntry>> journals;
  return journals;
}

}  // namespace

const char* StateWord(CredentialState state) {
  switch (state) {
    case CredentialState::Reserved: return "reserved";
    case CredentialState::Written: return "written";
    case CredentialState::Unknown: return "unknown";
  }
  return "";
}

std::string StoreFault::Message() const {
  return "The shared record cannot be reached: " + where + ": " + reason + ".";
}

std::string MaskPasswords(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string out = text;
  for (const std::string key : {"pwd=", "password="}) {
    for (std::size_t at = lower.find(key); at != std::string::npos; at = lower.find(key, at + 1)) {
      const std::size_t from = at + key.size();
      const std::size_t end = lower.find(';', from);
      const std::size_t length = (end == std::string::npos ? lower.size() : end) - from;
      out.replace(from, length, "***");
      lower.replace(from, length, "***");
    }
  }
  return out;
}

std::string JournalPath(const std::string& userFolder) { return userFolder + "/shared-record-journal"; }

std::optional<std::string> AppendJournal(const std::string& path, const JournalEntry& entry) {
  Journals()[path].push_back(entry);
  return std::nullopt;
}

std::optional<std::string> ReadJournal(const std::string& path, std::vector<JournalEntry>& entries) {
  const auto it = Journals().find(path);
  entries = it == Journals().end() ? std::vector<JournalEntry>{} : it->second;
  return std::nullopt;
}

std::optional<std::string> RewriteJournal(const std::string& path, const std::vector<JournalEntry>& entries) {
  if (entries.empty())
    Journals().erase(path);
  else
    Journals()[path] = entries;
  return std::nullopt;
}

std::optional<StoreFault> ReplayJournal(const std::string& path, SharedStore& store) {
  std::vector<JournalEntry> entries;
  ReadJournal(path, entries);
  std::optional<StoreFault> fault;
  std::vector<JournalEntry> left;
  for (const JournalEntry& entry : entries) {
    if (!fault) fault = store.Settle(entry.credential, entry.before, entry.verdict, entry.attempt);
    if (fault) left.push_back(entry);
  }
  RewriteJournal(path, left);
  return fault;
}

}  // namespace vx
