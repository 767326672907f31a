#include "store/store_journal.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "formats/text_file.h"
#include "i18n/translate.h"
#include "record/record_platform.h"
#include "i18n/translate.h"

namespace vx {

// One entry is one line of tab-separated fields, the last of them "end".
// Tabs, line breaks and backslashes inside a field are escaped, so a line
// never spans two, and an entry cut short by a crash lacks its "end" even
// once the next entry has ended its line.

namespace {

constexpr std::string_view kEntryTag = "vx-settle-1";
constexpr std::size_t kEntryFields = 33;
constexpr std::string_view kEntryEnd = "end";
constexpr std::uintmax_t kJournalMaxBytes = 64 * 1024 * 1024;

constexpr std::pair<CardVerdict, std::string_view> kCardVerdicts[] = {
    {CardVerdict::Written, "written"},
    {CardVerdict::VerifyFailed, "verify-failed"},
    {CardVerdict::NoAcknowledgement, "no-acknowledgement"},
    {CardVerdict::NoReadBack, "no-read-back"},
    {CardVerdict::ReadBackRefused, "read-back-refused"},
    {CardVerdict::Read, "read"},
    {CardVerdict::ReadFailed, "read-failed"},
    {CardVerdict::ReadRefused, "read-refused"},
};
constexpr std::pair<ReserveVerdict, std::string_view> kReserveVerdicts[] = {
    {ReserveVerdict::Won, "won"},
    {ReserveVerdict::OwnThisRun, "own-this-run"},
    {ReserveVerdict::WrittenBefore, "written-before"},
    {ReserveVerdict::HeldElsewhere, "held-elsewhere"},
    {ReserveVerdict::OwnEarlierRun, "own-earlier-run"},
};
constexpr std::pair<CredentialState, std::string_view> kStates[] = {
    {CredentialState::Reserved, "reserved"},
    {CredentialState::Written, "written"},
    {CredentialState::Unknown, "unknown"},
};

template <typename Value, std::size_t N>
std::string_view WordOf(const std::pair<Value, std::string_view> (&table)[N], Value value) {
  for (const auto& [v, word] : table)
    if (v == value) return word;
  return "";
}

template <typename Value, std::size_t N>
bool ValueOf(const std::pair<Value, std::string_view> (&table)[N], std::string_view word, Value& value) {
  for (const auto& [v, w] : table) {
    if (w != word) continue;
    value = v;
    return true;
  }
  return false;
}

template <typename Number>
bool NumberOf(std::string_view text, Number& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

void AppendField(std::string& out, std::string_view field) {
  if (!out.empty()) out += '\t';
  for (char c : field) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
}

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      fields.emplace_back();
    } else if (c == '\\' && i + 1 < line.size()) {
      const char next = line[++i];
      fields.back() += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::string EntryLine(const JournalEntry& entry) {
  std::string out;
  const auto field = [&out](std::string_view text) { AppendField(out, text); };
  const auto number = [&out](long long value) { AppendField(out, std::to_string(value)); };
  field(kEntryTag);
  field(entry.credential.format);
  number(entry.credential.facilityCode);
  number(entry.credential.cardNumber);
  field(WordOf(kCardVerdicts, entry.verdict));
  field(WordOf(kReserveVerdicts, entry.before.verdict));
  const CredentialRow row = entry.before.existing.value_or(CredentialRow{});
  field(entry.before.existing ? "1" : "0");
  field(row.credential.format);
  number(row.credential.facilityCode);
  number(row.credential.cardNumber);
  field(StateWord(row.state));
  field(row.station);
  field(row.reservedAt);
  field(row.writtenAt);
  field(row.source);
  number(row.entry);
  field(entry.attempt.station);
  const RecordLine& l = entry.attempt.line;
  for (const std::string* text : {&l.time, &l.port, &l.tab, &l.format}) field(*text);
  for (int value : {l.fcBits, l.cnBits, l.paramY, l.paramZ}) number(value);
  for (const std::string* text : {&l.facilityCode, &l.cardNumber, &l.source}) field(*text);
  number(l.entry);
  for (const std::string* text : {&l.outcome, &l.readFacilityCode, &l.readCardNumber}) field(*text);
  field(kEntryEnd);
  out += '\n';
  return out;
}

bool ParseEntry(std::string_view line, JournalEntry& entry) {
  std::vector<std::string> f = SplitFields(line);
  if (f.size() != kEntryFields || f[0] != kEntryTag || f.back() != kEntryEnd) return false;
  CredentialRow row;
  RecordLine& l = entry.attempt.line;
  const bool numbers = NumberOf(f[2], entry.credential.facilityCode) && NumberOf(f[3], entry.credential.cardNumber) &&
                       NumberOf(f[8], row.credential.facilityCode) && NumberOf(f[9], row.credential.cardNumber) &&
                       NumberOf(f[15], row.entry) && NumberOf(f[21], l.fcBits) && NumberOf(f[22], l.cnBits) &&
                       NumberOf(f[23], l.paramY) && NumberOf(f[24], l.paramZ) && NumberOf(f[28], l.entry);
  if (!numbers || !ValueOf(kCardVerdicts, f[4], entry.verdict) ||
      !ValueOf(kReserveVerdicts, f[5], entry.before.verdict) || (f[6] != "0" && f[6] != "1") ||
      !ValueOf(kStates, f[10], row.state))
    return false;
  entry.credential.format = std::move(f[1]);
  row.credential.format = std::move(f[7]);
  row.station = std::move(f[11]);
  row.reservedAt = std::move(f[12]);
  row.writtenAt = std::move(f[13]);
  row.source = std::move(f[14]);
  entry.before.existing.reset();
  if (f[6] == "1") entry.before.existing = std::move(row);
  entry.attempt.station = std::move(f[16]);
  l.time = std::move(f[17]);
  l.port = std::move(f[18]);
  l.tab = std::move(f[19]);
  l.format = std::move(f[20]);
  l.facilityCode = std::move(f[25]);
  l.cardNumber = std::move(f[26]);
  l.source = std::move(f[27]);
  l.outcome = std::move(f[29]);
  l.readFacilityCode = std::move(f[30]);
  l.readCardNumber = std::move(f[31]);
  return true;
}

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

std::filesystem::path FsPath(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string SystemReason(const std::string& path) {
  return path + ": " + (errno != 0 ? record_platform::ErrorText(errno) : Tr("the write did not complete"));
}

// Appends `text` to the file at `path`, flushed and synced; a file made by
// this call has its name synced too.
std::optional<std::string> AppendDurably(const std::string& path, std::string text) {
  std::error_code ec;
  const bool existed = std::filesystem::exists(FsPath(path), ec);
  // An entry cut short by a crash is ended, so the next one starts a line.
  if (existed) {
    std::ifstream in(FsPath(path), std::ios::binary);
    if (in.seekg(-1, std::ios::end)) {
      char last = '\n';
      if (in.get(last) && last != '\n') text = "\n" + text;
    }
  }
  errno = 0;
  File file(record_platform::OpenForAppend(path, true));
  if (!file) return SystemReason(path);
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || std::fflush(file.get()) != 0 ||
      !record_platform::SyncToDisk(file.get()))
    return SystemReason(path);
  if (!existed && !record_platform::SyncFolderOf(path)) return SystemReason(path);
  return std::nullopt;
}

}  // namespace

std::string JournalPath(const std::string& userFolder, const std::string& station) {
  std::string name = "shared-record-journal";
  if (!station.empty()) {
    name += '-';
    static const char kHex[] = "0123456789ABCDEF";
    for (const char c : station) {
      const auto byte = static_cast<unsigned char>(c);
      if ((byte < 0x80 && std::isalnum(byte)) || c == '.' || c == '_' || c == '-') {
        name += c;
      } else {
        name += '%';
        name += kHex[byte >> 4];
        name += kHex[byte & 0xF];
      }
    }
  }
  name += ".txt";
  if (userFolder.empty()) return name;
  const char last = userFolder.back();
  return userFolder + (last == '/' || last == '\\' ? "" : "/") + name;
}

std::optional<std::string> AppendJournal(const std::string& path, const JournalEntry& entry) {
  return AppendDurably(path, EntryLine(entry));
}

std::optional<std::string> ReadJournal(const std::string& path, std::vector<JournalEntry>& entries) {
  entries.clear();
  std::error_code ec;
  if (!std::filesystem::exists(FsPath(path), ec) && !ec) return std::nullopt;
  const TextFileResult file = ReadTextFile(path, kJournalMaxBytes, TrCtx("file kind", "the shared record's journal"));
  if (!file.content) return path + ": " + file.problem;
  const std::string_view text = *file.content;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) break;  // the last entry, cut short
    std::string_view line = text.substr(pos, end - pos);
    if (line.ends_with('\r')) line.remove_suffix(1);
    JournalEntry entry;
    if (ParseEntry(line, entry)) entries.push_back(std::move(entry));
    pos = end + 1;
  }
  return std::nullopt;
}

std::optional<std::string> RewriteJournal(const std::string& path, const std::vector<JournalEntry>& entries) {
  std::error_code ec;
  if (entries.empty()) {
    std::filesystem::remove(FsPath(path), ec);
    if (ec) return path + ": " + ec.message();
    return std::nullopt;
  }
  // The new journal is made whole beside the old one, then takes its place,
  // so a crash leaves one or the other, never half of either.
  const std::string fresh = path + ".new";
  std::filesystem::remove(FsPath(fresh), ec);
  std::string text;
  for (const JournalEntry& entry : entries) text += EntryLine(entry);
  if (auto error = AppendDurably(fresh, std::move(text))) return error;
  std::filesystem::rename(FsPath(fresh), FsPath(path), ec);
  if (ec) return path + ": " + ec.message();
  errno = 0;
  if (!record_platform::SyncFolderOf(path)) return SystemReason(path);
  return std::nullopt;
}

std::optional<StoreFault> ReplayJournal(const std::string& path, SharedStore& store) {
  std::vector<JournalEntry> entries;
  if (auto error = ReadJournal(path, entries))
    return StoreFault{TrCtx("where the shared record failed", "the journal"), *error};
  if (entries.empty()) return std::nullopt;
  std::size_t taken = 0;
  std::optional<StoreFault> fault;
  for (; taken < entries.size(); ++taken) {
    const JournalEntry& e = entries[taken];
    fault = store.Settle(e.credential, e.before, e.verdict, e.attempt);
    if (fault) break;
  }
  const std::vector<JournalEntry> left(entries.begin() + static_cast<std::ptrdiff_t>(taken), entries.end());
  // Entries the store took but the journal still holds are taken again next
  // time; the store knows an attempt it already has, so nothing is doubled.
  if (auto error = RewriteJournal(path, left)) {
    if (!fault) fault = StoreFault{TrCtx("where the shared record failed", "the journal"), *error};
  }
  return fault;
}

}  // namespace vx
