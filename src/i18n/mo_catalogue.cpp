#include "i18n/mo_catalogue.h"
#include "i18n/ascii_case.h"

#include <cctype>

namespace vx {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::size_t kHeaderSize = 28;
constexpr char kContextEnd = '\x04';

// Reads the file's 32-bit words in the byte order its magic number shows.
class Words {
 public:
  explicit Words(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool SetOrder() {
    if (bytes_.size() < kHeaderSize) return false;
    bigEndian_ = false;
    if (At(0) == kMagic) return true;
    bigEndian_ = true;
    return At(0) == kMagic;
  }
  // The word at `offset`; the caller has checked that it lies in the bytes.
  std::uint32_t At(std::size_t offset) const {
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint32_t byte = bytes_[offset + static_cast<std::size_t>(bigEndian_ ? i : 3 - i)];
      word = (word << 8) | byte;
    }
    return word;
  }
  // String `index` of the table at `table`: its length and offset must lie in
  // the bytes and a NUL must follow it, as msgfmt always writes.
  std::optional<std::string_view> String(std::uint64_t table, std::uint32_t index) const {
    const std::uint64_t entry = table + std::uint64_t{index} * 8;
    if (entry + 8 > bytes_.size()) return std::nullopt;
    const std::uint64_t length = At(static_cast<std::size_t>(entry));
    const std::uint64_t offset = At(static_cast<std::size_t>(entry + 4));
    if (offset + length >= bytes_.size() || bytes_[static_cast<std::size_t>(offset + length)] != 0)
      return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(bytes_.data()) + offset, static_cast<std::size_t>(length));
  }

 private:
  std::span<const std::uint8_t> bytes_;
  bool bigEndian_ = false;
};

// The value of a "Name: value" line of the header, or nullopt.
std::optional<std::string_view> HeaderField(std::string_view header, std::string_view name) {
  while (!header.empty()) {
    const std::size_t end = header.find('\n');
    const std::string_view line = header.substr(0, end);
    header = end == std::string_view::npos ? std::string_view() : header.substr(end + 1);
    if (line.size() > name.size() && line.substr(0, name.size()) == name && line[name.size()] == ':')
      return line.substr(name.size() + 1);
  }
  return std::nullopt;
}

// Only UTF-8 is shown as it is; a catalogue in another character set would
// show as garbage, so it is not used at all.
bool CharsetIsUtf8(std::string_view header) {
  const auto type = HeaderField(header, "Content-Type");
  if (!type) return true;
  const std::string lower = AsciiLowered(*type);
  const std::size_t charset = lower.find("charset=");
  if (charset == std::string::npos) return true;
  std::string_view name = std::string_view(lower).substr(charset + 8);
  name = name.substr(0, name.find_first_of("; \t"));
  return name == "utf-8" || name == "utf8";
}

std::string Key(std::string_view context, std::string_view text) {
  if (context.empty()) return std::string(text);
  std::string key;
  key.reserve(context.size() + 1 + text.size());
  key.append(context).push_back(kContextEnd);
  return key.append(text);
}

}  // namespace

std::optional<MoCatalogue> MoCatalogue::Read(std::span<const std::uint8_t> bytes) {
  Words words(bytes);
  if (!words.SetOrder()) return std::nullopt;
  // Major revisions 0 and 1 share the layout read here; 1 only adds tables
  // for texts that depend on the system, which this program has none of.
  if ((words.At(4) >> 16) > 1) return std::nullopt;
  const std::uint32_t count = words.At(8);
  const std::uint64_t originals = words.At(12);
  const std::uint64_t translations = words.At(16);
  const std::uint64_t tableSize = std::uint64_t{count} * 8;
  if (originals + tableSize > bytes.size() || translations + tableSize > bytes.size()) return std::nullopt;

  MoCatalogue catalogue;
  std::optional<std::string_view> header;
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto original = words.String(originals, i);
    const auto translation = words.String(translations, i);
    if (!original || !translation) return std::nullopt;
    // A plural's English is "singular NUL plural": the singular is the key.
    const std::string_view key = original->substr(0, original->find('\0'));
    if (key.empty()) {
      header = *translation;
      continue;
    }
    if (translation->empty()) continue;
    catalogue.translations_.emplace(std::string(key), std::string(*translation));
  }
  if (header) {
    if (!CharsetIsUtf8(*header)) return std::nullopt;
    if (const auto forms = HeaderField(*header, "Plural-Forms")) {
      const auto rule = PluralRule::Parse(*forms);
      if (!rule) return std::nullopt;
      catalogue.plurals_ = *rule;
    }
  }
  return catalogue;
}

std::optional<std::string_view> MoCatalogue::Find(std::string_view context, std::string_view text) const {
  const auto found = translations_.find(Key(context, text));
  if (found == translations_.end()) return std::nullopt;
  const std::string_view translation = found->second;
  return translation.substr(0, translation.find('\0'));
}

std::optional<std::string_view> MoCatalogue::FindPlural(std::string_view context, std::string_view singular,
                                                        std::uint64_t n) const {
  const auto found = translations_.find(Key(context, singular));
  if (found == translations_.end()) return std::nullopt;
  std::string_view forms = found->second;
  for (int form = plurals_.FormFor(n); form > 0; --form) {
    const std::size_t end = forms.find('\0');
    if (end == std::string_view::npos) return std::nullopt;
    forms.remove_prefix(end + 1);
  }
  const std::string_view chosen = forms.substr(0, forms.find('\0'));
  if (chosen.empty()) return std::nullopt;
  return chosen;
}

}  // namespace vx
