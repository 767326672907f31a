#pragma once
// Builds the bytes of a .mo catalogue in either byte order, laid out as
// msgfmt lays it out (header, the two tables, then the strings, each
// followed by a NUL), so that tests can make sound ones and damage them.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace vx::test {

struct MoEntry {
  std::string original;     // "context\x04text", "singular\0plural" ...
  std::string translation;  // "form0\0form1" for a plural
};

inline std::vector<std::uint8_t> BuildMo(std::vector<MoEntry> entries, bool bigEndian = false,
                                         std::uint32_t revision = 0) {
  std::sort(entries.begin(), entries.end(), [](const MoEntry& a, const MoEntry& b) { return a.original < b.original; });
  const auto count = static_cast<std::uint32_t>(entries.size());
  const std::uint32_t originals = 28;
  const std::uint32_t translations = originals + 8 * count;
  std::vector<std::uint8_t> bytes(translations + 8 * count);
  auto put = [&](std::size_t at, std::uint32_t word) {
    for (int i = 0; i < 4; ++i) {
      const int shift = bigEndian ? 24 - 8 * i : 8 * i;
      bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(word >> shift);
    }
  };
  put(0, 0x950412de);
  put(4, revision);
  put(8, count);
  put(12, originals);
  put(16, translations);
  put(20, 0);
  put(24, static_cast<std::uint32_t>(bytes.size()));
  auto addString = [&](std::size_t entry, const std::string& text) {
    put(entry, static_cast<std::uint32_t>(text.size()));
    put(entry + 4, static_cast<std::uint32_t>(bytes.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
  };
  for (std::uint32_t i = 0; i < count; ++i) addString(originals + 8 * i, entries[i].original);
  for (std::uint32_t i = 0; i < count; ++i) addString(translations + 8 * i, entries[i].translation);
  return bytes;
}

// The header entry msgfmt writes first: a UTF-8 catalogue with `pluralForms`.
inline MoEntry MoHeader(const std::string& pluralForms) {
  return {"", "Content-Type: text/plain; charset=UTF-8\nPlural-Forms: " + pluralForms + "\n"};
}

}  // namespace vx::test
