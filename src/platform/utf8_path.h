#pragma once
// The program keeps paths as UTF-8 text. std::filesystem takes and gives
// them as u8 text, so a name outside ASCII is the same file on every system
// (a narrow path would go through Windows' code page).

#include <filesystem>
#include <string>

namespace vx {

inline std::filesystem::path PathOfUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8OfPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace vx
