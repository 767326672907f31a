#include "store/store_journal.h"

#include <cctype>
#include <cstdint>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <algorithm>
#include <memory>

#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "platform/record_platform.h"
#include "platform/utf8_path.h"

namespace vx {

// One entry is one line of tab-separated fields, the last of them "end".
// Tabs, line breaks and backslashes inside a field are escaped, so a line
// never spans two, and an entry cut short by a crash lacks its "end" even
// once the next entry has ended its line.

namespace {

constexpr std::string_view kEntryTag = "vx-settle-1";
// The tag, the settle's 16 fields, the record line's columns (its trailing
// ones only with a value, as in the record file), the end.
constexpr std::size_t kLineAt = 17;
constexpr std::size_t kEntryFields = kLineAt + kRecordBaseColumns + 1;
constexpr std::size_t kLongestEntryFields = kLineAt + kRecordColumns + 1;
constexpr std::string_view kEntryEnd = "end";
constexpr std::uintmax_t kJournalMaxBytes = 64 * 1024 * 1024;

constexpr std::pair<ReserveVerdict, std::string_view> kReserveVerdicts[] = {
    {ReserveVerdict::Won, "won"},
    {ReserveVerdict::OwnThisRun, "own-this-run"},
    {ReserveVerdict::WrittenBefore, "written-before"},
    {ReserveVerdict::HeldElsewhere, "held-elsewhere"},
    {ReserveVerdict::OwnEarlierRun, "own-earlier-run"},
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

}  // namespace

std::string JournalLine(const JournalEntry& entry) {
  std::string out;
  const auto field = [&out](std::string_view text) { AppendField(out, text); };
  const auto number = [&out](long long value) { AppendField(out, std::to_string(value)); };
  field(kEntryTag);
  field(entry.credential.format);
  number(entry.credential.facilityCode);
  number(entry.credential.cardNumber);
  field(JournalWordOf(entry.verdict));
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
  const std::size_t columns = RecordFieldCountOf(entry.attempt.line);
  for (std::size_t at = 0; at < columns; ++at) {
    const RecordColumn& column = kRecordColumnTable[at];
    if (column.IsText()) {
      field(entry.attempt.line.*column.text);
    } else {
      number(entry.attempt.line.*column.number);
    }
  }
  field(kEntryEnd);
  out += '\n';
  return out;
}

namespace {

bool ParseEntry(std::string_view line, JournalEntry& entry) {
  std::vector<std::string> f = SplitFields(line);
  if ((f.size() != kEntryFields && f.size() != kLongestEntryFields) || f[0] != kEntryTag || f.back() != kEntryEnd)
    return false;
  // An entry without the trailing columns reads them as empty.
  f.pop_back();
  f.resize(kLineAt + kRecordColumns);
  CredentialRow row;
  RecordLine& l = entry.attempt.line;
  bool numbers = NumberOf(f[2], entry.credential.facilityCode) && NumberOf(f[3], entry.credential.cardNumber) &&
                 NumberOf(f[8], row.credential.facilityCode) && NumberOf(f[9], row.credential.cardNumber) &&
                 NumberOf(f[15], row.entry);
  for (std::size_t at = 0; at < kRecordColumns && numbers; ++at)
    if (!kRecordColumnTable[at].IsText()) numbers = NumberOf(f[kLineAt + at], l.*kRecordColumnTable[at].number);
  const std::optional<CardVerdict> verdict = VerdictOfJournalWord(f[4]);
  // A free row (one no card holds) is journalled too, so read back too.
  const std::optional<CredentialState> state = StateOfWord(f[10]);
  if (!numbers || !verdict || !ValueOf(kReserveVerdicts, f[5], entry.before.verdict) || (f[6] != "0" && f[6] != "1") ||
      !state)
    return false;
  row.state = *state;
  entry.verdict = *verdict;
  entry.credential.format = std::move(f[1]);
  row.credential.format = std::move(f[7]);
  row.station = std::move(f[11]);
  row.reservedAt = std::move(f[12]);
  row.writtenAt = std::move(f[13]);
  row.source = std::move(f[14]);
  entry.before.existing.reset();
  if (f[6] == "1") entry.before.existing = std::move(row);
  entry.attempt.station = std::move(f[16]);
  for (std::size_t at = 0; at < kRecordColumns; ++at)
    if (kRecordColumnTable[at].IsText()) l.*kRecordColumnTable[at].text = std::move(f[kLineAt + at]);
  return true;
}

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

constexpr std::string_view kJournalStem = "shared-record-journal";

std::string SystemReason(const std::string& path) {
  return path + ": " + (errno != 0 ? record_platform::ErrorText(errno) : Tr("the write did not complete"));
}

// Another user who can put a link where the journal goes would have its
// entries written, or read, wherever the link points.
std::string LinkReason(const std::string& path) {
  return path + ": " +
         Tr("a symbolic link is in its place; the shared record's journal is never read or written through one");
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Appends `text` to the file at `path`, flushed and synced; a file made by
// this call is its user's alone, in a folder that is too, and has its name
// synced. Never through a link.
std::optional<std::string> AppendDurably(const std::string& path, std::string text) {
  errno = 0;
  const record_platform::PathKind kind = record_platform::KindAt(path, false);
  if (kind == record_platform::PathKind::Link) return LinkReason(path);
  const bool existed = kind != record_platform::PathKind::Absent;
  // The folder is narrowed as well when an older program made it open; one
  // that cannot be (another user's) still holds the journal, private itself.
  const std::string folder = FolderOf(path);
  errno = 0;
  if (!folder.empty() && !record_platform::MakePrivateFolder(folder) &&
      record_platform::KindAt(folder, true) != record_platform::PathKind::Folder)
    return SystemReason(folder);
  errno = 0;
  File file(record_platform::OpenForAppend(path, {.create = true, .privateFile = true, .refuseLink = true}));
  if (!file) return SystemReason(path);
  // An entry cut short by a crash is ended, so the next one starts a line.
  if (std::fseek(file.get(), -1, SEEK_END) == 0 && std::fgetc(file.get()) != '\n') text = "\n" + text;
  errno = 0;
  if (std::fseek(file.get(), 0, SEEK_END) != 0 ||
      std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || std::fflush(file.get()) != 0 ||
      !record_platform::SyncToDisk(file.get()))
    return SystemReason(path);
  if (!existed && !record_platform::SyncFolderOf(path)) return SystemReason(path);
  return std::nullopt;
}

// The whole of one of the journal's files, never through a link; empty when
// there is none.
std::optional<std::string> ReadOwnFile(const std::string& path, std::string& content) {
  content.clear();
  errno = 0;
  const record_platform::PathKind kind = record_platform::KindAt(path, false);
  if (kind == record_platform::PathKind::Absent) return std::nullopt;
  if (kind == record_platform::PathKind::Link) return LinkReason(path);
  File file(record_platform::OpenForReading(path));
  if (!file) return SystemReason(path);
  char buffer[64 * 1024];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
    content.append(buffer, got);
    if (content.size() > kJournalMaxBytes)
      return path + ": " + Tr("it is larger than the shared record's journal can be");
  }
  errno = 0;
  if (std::ferror(file.get())) return SystemReason(path);
  return std::nullopt;
}

// `journalPath` with "journal" in its name replaced by `word`.
std::string Beside(const std::string& journalPath, std::string_view word) {
  const std::size_t slash = journalPath.find_last_of("/\\");
  const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  std::string name = journalPath.substr(nameAt);
  if (name.starts_with(kJournalStem)) {
    name.replace(0, kJournalStem.size(), "shared-record-" + std::string(word));
  } else {
    const std::size_t dot = name.rfind('.');
    name.insert(dot == std::string::npos || dot == 0 ? name.size() : dot, "-" + std::string(word));
  }
  return journalPath.substr(0, nameAt) + name;
}

std::string NamedCredential(const Credential& c) {
  return std::to_string(c.facilityCode) + "," + std::to_string(c.cardNumber) + " (" + c.format + ")";
}

StoreFault JournalFault(const std::string& reason) {
  return StoreFault{TrCtx("where the shared record failed", "the journal"), reason};
}

std::string DamagedLinesText(const std::string& path, const std::vector<DamagedLine>& lines,
                             const std::string& keptIn) {
  std::string numbers;
  for (const DamagedLine& line : lines) numbers += (numbers.empty() ? "" : ", ") + std::to_string(line.number);
  // TRANSLATORS: %1$d is how many lines, %2$s their numbers ("3" or "3, 7"),
  // %3$s the journal's file, %4$s the file that now keeps them.
  return Format(TrN("%1$d line of the shared record's journal cannot be read (line %2$s of %3$s): it is kept, as it "
                    "was, in %4$s. The journal's other entries go to the shared record as before.",
                    "%1$d lines of the shared record's journal cannot be read (lines %2$s of %3$s): they are kept, "
                    "as they were, in %4$s. The journal's other entries go to the shared record as before.",
                    lines.size()),
                lines.size(), numbers, path, keptIn);
}

}  // namespace

std::string JournalPath(const std::string& userFolder, const std::string& station) {
  std::string name(kJournalStem);
  if (!station.empty()) {
    std::string encoded;
    static const char kHex[] = "0123456789ABCDEF";
    for (const char c : station) {
      const auto byte = static_cast<unsigned char>(c);
      if ((byte < 0x80 && std::isalnum(byte)) || c == '.' || c == '_' || c == '-') {
        encoded += c;
      } else {
        encoded += '%';
        encoded += kHex[byte >> 4];
        encoded += kHex[byte & 0xF];
      }
    }
    // A name of 64 characters outside ASCII is 768 bytes encoded, past what
    // a file name may hold (255): a long one keeps its start, cut between
    // escapes, and a hash of the whole name, so two stations never share a
    // journal. Short names keep the file name they have always had.
    constexpr std::size_t kKeptEncoded = 96;
    if (encoded.size() > kKeptEncoded + 17) {
      std::size_t cut = kKeptEncoded;
      while (cut > 0 && (encoded[cut - 1] == '%' || (cut > 1 && encoded[cut - 2] == '%'))) --cut;
      std::uint64_t hash = 14695981039346656037ull;  // FNV-1a, 64 bits
      for (const char c : station) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
      encoded.resize(cut);
      encoded += '~';
      for (int shift = 60; shift >= 0; shift -= 4) encoded += kHex[(hash >> shift) & 0xF];
    }
    name += '-' + encoded;
  }
  name += ".txt";
  if (userFolder.empty()) return name;
  const char last = userFolder.back();
  return userFolder + (last == '/' || last == '\\' ? "" : "/") + name;
}

std::string RefusedPath(const std::string& journalPath) { return Beside(journalPath, "refused"); }
std::string DamagedPath(const std::string& journalPath) { return Beside(journalPath, "damaged"); }

JournalText ParseJournal(std::string_view text) {
  JournalText journal;
  int number = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    ++number;
    const std::size_t end = text.find('\n', pos);
    const bool ended = end != std::string_view::npos;
    std::string_view line = text.substr(pos, ended ? end - pos : std::string_view::npos);
    pos = ended ? end + 1 : text.size();
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) continue;
    JournalEntry entry;
    if (ParseEntry(line, entry)) {
      journal.entries.push_back(std::move(entry));
    } else if (ended) {
      journal.damaged.push_back({number, std::string(line)});
    } else {
      journal.unended = DamagedLine{number, std::string(line)};
    }
  }
  return journal;
}

std::optional<std::string> AppendJournal(const std::string& path, const JournalEntry& entry) {
  return AppendDurably(path, JournalLine(entry));
}

std::optional<std::string> ReadJournal(const std::string& path, JournalText& journal) {
  std::string content;
  journal = {};
  if (auto error = ReadOwnFile(path, content)) return error;
  journal = ParseJournal(content);
  return std::nullopt;
}

std::optional<std::string> RewriteJournal(const std::string& path, const std::vector<JournalEntry>& entries) {
  std::error_code ec;
  const std::filesystem::path fsPath = PathOfUtf8(path);
  if (entries.empty()) {
    std::filesystem::remove(fsPath, ec);
    if (ec) return path + ": " + ec.message();
    return std::nullopt;
  }
  // The new journal is made whole beside the old one, then takes its place,
  // so a crash leaves one or the other, never half of either. A link in
  // either place is replaced, never followed.
  const std::string fresh = path + ".new";
  const std::filesystem::path fsFresh = PathOfUtf8(fresh);
  std::filesystem::remove(fsFresh, ec);
  std::string text;
  for (const JournalEntry& entry : entries) text += JournalLine(entry);
  if (auto error = AppendDurably(fresh, std::move(text))) return error;
  std::filesystem::rename(fsFresh, fsPath, ec);
  if (ec) return path + ": " + ec.message();
  errno = 0;
  if (!record_platform::SyncFolderOf(path)) return SystemReason(path);
  return std::nullopt;
}

std::optional<std::string> KeepRefused(const std::string& journalPath, const JournalEntry& entry) {
  return AppendDurably(RefusedPath(journalPath), JournalLine(entry));
}

std::string RefusedSettleText(const JournalEntry& entry, const StoreFault& fault, const std::string& keptIn) {
  // TRANSLATORS: %1$s is the card's numbers and format ("12,1000 (HID26)"),
  // %2$s its outcome in the record's words ("written", "no read-back"), %3$s
  // where the store is (db1), %4$s the database's own words, %5$s the file
  // that keeps the outcome.
  return Format(Tr("The shared record refused the outcome of %1$s (%2$s): %3$s: %4$s. It is kept in %5$s, and its "
                   "reservation stands as this station's, so no other station takes it; the next card goes on."),
                NamedCredential(entry.credential), entry.attempt.line.outcome, fault.where, fault.Reason(), keptIn);
}

std::string JournalReplay::Told() const {
  std::string text;
  for (const std::string& paragraph : told) text += (text.empty() ? "" : "\n\n") + paragraph;
  return text;
}

JournalReplay ReplayJournal(const std::string& path, SharedStore& store) {
  JournalReplay replay;
  JournalText journal;
  if (auto error = ReadJournal(path, journal)) return {JournalFault(*error), {}};
  std::vector<DamagedLine> aside = journal.damaged;
  // The journal is rewritten below: a crash's cut-short last line would be lost.
  if (journal.unended) aside.push_back(*journal.unended);
  if (journal.entries.empty() && aside.empty()) return replay;
  if (!aside.empty()) {
    const std::string damaged = DamagedPath(path);
    std::string text;
    for (const DamagedLine& line : aside) text += line.text + "\n";
    // Kept aside before the journal is rewritten without them.
    if (auto error = AppendDurably(damaged, std::move(text))) return {JournalFault(*error), {}};
    replay.told.push_back(DamagedLinesText(path, aside, damaged));
  }
  std::size_t next = 0;
  for (; next < journal.entries.size(); ++next) {
    const JournalEntry& e = journal.entries[next];
    std::optional<StoreFault> fault = store.Settle(e.credential, e.before, e.verdict, e.attempt);
    if (!fault) continue;
    if (!fault->refused) {
      replay.fault = std::move(fault);
      break;
    }
    // Refused for good: trying again is no use, and waiting for it would
    // stop every card after it.
    if (auto error = KeepRefused(path, e)) {
      replay.fault = JournalFault(*error);
      break;
    }
    replay.told.push_back(RefusedSettleText(e, *fault, RefusedPath(path)));
  }
  const std::vector<JournalEntry> left(journal.entries.begin() + static_cast<std::ptrdiff_t>(next),
                                       journal.entries.end());
  // Entries the store took but the journal still holds are taken again next
  // time; the store knows an attempt it already has, so nothing is doubled.
  if (auto error = RewriteJournal(path, left)) {
    if (!replay.fault) replay.fault = JournalFault(*error);
  }
  return replay;
}

std::vector<KeptAside> KeptAsideIn(const std::string& folder, std::vector<std::string>& problems) {
  std::vector<KeptAside> kept;
  const std::string stem = Beside(std::string(kJournalStem), "refused");
  std::error_code ec;
  std::vector<std::string> files;
  for (const auto& item :
       std::filesystem::directory_iterator(PathOfUtf8(folder), ec)) {
    const std::string text = Utf8OfPath(item.path().filename());
    if (text.starts_with(stem) && text.ends_with(".txt")) files.push_back(text);
  }
  std::sort(files.begin(), files.end());
  for (const std::string& name : files) {
    const std::string path = folder + (folder.ends_with('/') || folder.ends_with('\\') ? "" : "/") + name;
    JournalText aside;
    if (auto error = ReadJournal(path, aside)) {
      problems.push_back(*error);
      continue;
    }
    for (JournalEntry& entry : aside.entries) kept.push_back({path, std::move(entry)});
  }
  return kept;
}

}  // namespace vx
