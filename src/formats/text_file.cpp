#include "formats/text_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace vx {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const std::filesystem::path fsPath(std::u8string(path.begin(), path.end()));
  std::error_code ec;
  // Opening a folder succeeds on some systems and then reads as empty:
  // refuse it here so it is reported, not taken for an empty file.
  if (std::filesystem::is_directory(fsPath, ec)) return std::nullopt;

  std::ifstream in(fsPath, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content;
  char buffer[64 * 1024];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return content;
}

}  // namespace vx
