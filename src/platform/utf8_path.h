#pragma once
// The program keeps paths as UTF-8 text. std::filesystem takes and gives
// them as u8 text, so a name outside ASCII is the same file on every system
// (a narrow path would go through Windows' code page).

#include <filesystem>
#include <string>
#include <system_error>

namespace vx {

inline std::filesystem::path PathOfUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8OfPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The file's full path, as the record names a card-number file: the same
// file found from another working folder is still the same file. The path as
// given when the system cannot say.
inline std::string FullPathOf(const std::string& utf8) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(PathOfUtf8(utf8), ec);
  if (ec) return utf8;
  return Utf8OfPath(full.lexically_normal());
}

}  // namespace vx
