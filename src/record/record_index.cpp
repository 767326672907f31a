#include "record/record_index.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "record/record_file.h"
#include "record/record_line.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "i18n/ascii_case.h"
#include "platform/utf8_path.h"

namespace vx {

namespace {

// No line the program writes comes near this, file paths included; a longer
// one is damage (a stray quote that never closes), and reading resumes at the
// next line end rather than holding the rest of the file as one line.
constexpr std::size_t kLongestLine = 64 * 1024;
constexpr std::size_t kReadChunk = 1 << 20;

template <typename T>
bool WholeNumber(std::string_view text, T& value) {
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// The fields of a line without quotes, as views; false when it has not the
// record's columns.
bool SplitPlain(std::string_view line, std::string_view* fields) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  std::size_t count = 0;
  std::size_t start = 0;
  for (;;) {
    if (count == kRecordColumns) return false;
    const std::size_t comma = line.find(',', start);
    fields[count++] = line.substr(start, comma == std::string_view::npos ? comma : comma - start);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  for (std::size_t at = count; at < kRecordColumns; ++at) fields[at] = {};
  return IsRecordFieldCount(count);
}

}  // namespace

std::size_t RecordIndex::KeyHash::operator()(const Key& key) const {
  std::uint64_t h = key.cardNumber * 0x9E3779B97F4A7C15ULL;
  h ^= (key.facilityCode + 0x632BE59BD9B4E019ULL + (h << 6) + (h >> 2)) * 0xC2B2AE3D27D4EB4FULL;
  h ^= key.format + (h << 6) + (h >> 2);
  return static_cast<std::size_t>(h ^ (h >> 29));
}

void RecordIndex::Open(const std::string& path) {
  Reset();
  path_ = path;
}

void RecordIndex::Close() {
  Reset();
  path_.clear();
}

void RecordIndex::Reset() {
  offset_ = 0;
  formats_.clear();
  sources_.clear();
  times_.clear();
  cards_.clear();
}

std::uint32_t RecordIndex::SourceId(std::string_view source) {
  // A batch's lines come one after another: the newest source first.
  for (std::size_t i = sources_.size(); i-- > 0;)
    if (sources_[i] == source) return static_cast<std::uint32_t>(i);
  sources_.emplace_back(source);
  return static_cast<std::uint32_t>(sources_.size() - 1);
}

std::optional<std::uint32_t> RecordIndex::FormatId(std::string_view format) const {
  for (std::size_t i = 0; i < formats_.size(); ++i)
    if (EqualsIgnoringAsciiCase(formats_[i], format)) return static_cast<std::uint32_t>(i);
  return std::nullopt;
}

void RecordIndex::TakeLine(const std::string_view* f) {
  if (f[kOutcomeAt] != kWrittenOutcome) return;
  Key key{};
  int entry = 0;
  if (!WholeNumber(f[kFacilityCodeAt], key.facilityCode) || !WholeNumber(f[kCardNumberAt], key.cardNumber)) return;
  if (!f[kEntryAt].empty() && !WholeNumber(f[kEntryAt], entry)) return;
  if (const auto id = FormatId(f[kFormatAt])) {
    key.format = *id;
  } else {
    key.format = static_cast<std::uint32_t>(formats_.size());
    formats_.push_back(AsciiUppered(f[kFormatAt]));
  }
  // A card written again later is named by its latest line.
  // The printed number, when the line has one, is kept right after its time.
  const Stored stored{static_cast<std::uint32_t>(times_.size()), static_cast<std::uint32_t>(f[kTimeAt].size()),
                      static_cast<std::uint32_t>(f[kPrintedNumberAt].size()), SourceId(f[kSourceAt]), entry};
  times_.append(f[kTimeAt]);
  times_.append(f[kPrintedNumberAt]);
  cards_.insert_or_assign(key, stored);
}

std::size_t RecordIndex::Take(std::string_view text) {
  std::size_t pos = 0;
  if (offset_ == 0 && text.starts_with("\xEF\xBB\xBF")) pos = 3;
  std::vector<std::string> quoted;
  std::string_view fields[kRecordColumns];
  while (pos < text.size()) {
    const std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) {
      if (text.size() - pos <= kLongestLine) break;  // a line its writer has not ended yet
      pos = text.size();                            // damage without a line end
      break;
    }
    const std::string_view line = text.substr(pos, end - pos);
    if (line.find('"') == std::string_view::npos) {
      if (SplitPlain(line, fields)) TakeLine(fields);
      pos = end + 1;
      continue;
    }
    // Quoted fields may hold commas and line ends of their own.
    std::size_t next = pos;
    const std::size_t count = NextCsvLine(text, next, quoted);
    if (count == 0 || next - pos > kLongestLine) {
      if (count == 0 && text.size() - pos <= kLongestLine) break;  // may be whole once more arrives
      pos = end + 1;
      continue;
    }
    pos = next;
    if (!IsRecordFieldCount(count)) continue;
    for (std::size_t i = 0; i < kRecordColumns; ++i) fields[i] = i < count ? std::string_view(quoted[i]) : std::string_view();
    TakeLine(fields);
  }
  offset_ += pos;
  return pos;
}

std::optional<std::string> RecordIndex::Refresh() {
  std::error_code ec;
  const std::filesystem::path fsPath = PathOfUtf8(path_);
  const auto status = std::filesystem::status(fsPath, ec);
  if (ec || !std::filesystem::exists(status))
    return (ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory)).message();
  if (!std::filesystem::is_regular_file(status)) return Tr("it is not a regular file");
  const std::uintmax_t size = std::filesystem::file_size(fsPath, ec);
  if (ec) return ec.message();
  if (size > kRecordMaxBytes) return Tr("it is larger than a card record can be");
  if (size < offset_) Reset();
  if (size == offset_) return std::nullopt;
  // Most of a record's lines are written cards of about 130 bytes.
  if (offset_ == 0) {
    cards_.reserve(static_cast<std::size_t>(size / 128));
    times_.reserve(static_cast<std::size_t>(size / 4));
  }

  std::ifstream in(fsPath, std::ios::binary);
  if (!in) return Tr("it cannot be opened for reading");
  in.seekg(static_cast<std::streamoff>(offset_));
  std::string buffer;  // a line not yet whole, then the next chunk read behind it
  for (;;) {
    const std::size_t carried = buffer.size();
    buffer.resize(carried + kReadChunk);
    in.read(buffer.data() + carried, static_cast<std::streamsize>(kReadChunk));
    const auto got = static_cast<std::size_t>(in.gcount());
    buffer.resize(carried + got);
    if (got == 0) break;
    buffer.erase(0, Take(buffer));
  }
  if (in.bad()) return Tr("it could not be read to its end");
  return std::nullopt;
}

std::optional<WrittenCard> RecordIndex::FindWritten(std::string_view format, std::uint64_t facilityCode,
                                                    std::uint64_t cardNumber) const {
  const auto id = FormatId(format);
  if (!id) return std::nullopt;
  const auto it = cards_.find(Key{*id, facilityCode, cardNumber});
  if (it == cards_.end()) return std::nullopt;
  const Stored& stored = it->second;
  return WrittenCard{times_.substr(stored.timeOffset, stored.timeLength), sources_[stored.source], stored.entry,
                     times_.substr(stored.timeOffset + stored.timeLength, stored.printedLength)};
}

bool RecordIndex::WrittenOtherThan(std::uint64_t facilityCode, std::uint64_t cardNumber, std::string_view source,
                                   int entry) const {
  for (std::uint32_t id = 0; id < formats_.size(); ++id) {
    const auto it = cards_.find(Key{id, facilityCode, cardNumber});
    if (it != cards_.end() && (sources_[it->second.source] != source || it->second.entry != entry)) return true;
  }
  return false;
}

}  // namespace vx
