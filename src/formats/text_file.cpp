#include "formats/text_file.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

namespace vx {

namespace {

std::string SizeText(std::uintmax_t bytes) {
  constexpr std::uintmax_t kKiB = 1024;
  constexpr std::uintmax_t kMiB = kKiB * kKiB;
  if (bytes >= kMiB) return std::to_string(bytes / kMiB) + " MiB";
  if (bytes >= kKiB) return std::to_string(bytes / kKiB) + " KiB";
  return std::to_string(bytes) + " bytes";
}

TextFileResult Refused(std::string problem) { return TextFileResult{std::nullopt, std::move(problem)}; }

}  // namespace

TextFileResult ReadTextFile(const std::string& path, std::uintmax_t maxBytes, std::string_view kind) {
  if (path.empty()) return Refused("no file name was given");
  const std::filesystem::path fsPath(std::u8string(path.begin(), path.end()));
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(fsPath, ec);
  if (status.type() == std::filesystem::file_type::not_found) return Refused("the file does not exist");
  if (ec) return Refused("the file cannot be examined (" + ec.message() + ")");
  // Opening a pipe waits for a writer and a device never ends: look before
  // opening, and read only what can be a text file.
  if (status.type() == std::filesystem::file_type::directory) return Refused("it is a folder, not a file");
  if (status.type() != std::filesystem::file_type::regular) {
    return Refused("it is not a regular file (it is a device, a pipe or a socket), so it is not read");
  }
  const std::uintmax_t size = std::filesystem::file_size(fsPath, ec);
  if (ec) return Refused("the file cannot be examined (" + ec.message() + ")");
  if (size > maxBytes) {
    return Refused("the file is " + SizeText(size) + ", larger than " + std::string(kind) + " can be (at most " +
                   SizeText(maxBytes) + ")");
  }

  std::ifstream in(fsPath, std::ios::binary);
  if (!in) return Refused("the file cannot be opened for reading (no permission?)");
  std::string content;
  char buffer[64 * 1024];
  // The size was looked at before opening; a file that grows meanwhile is
  // still read no further than the limit.
  while (content.size() <= maxBytes && (in.read(buffer, sizeof buffer) || in.gcount() > 0)) {
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return Refused("the file could not be read to its end (a read error)");
  if (content.size() > maxBytes) {
    return Refused("the file grew while it was read, past " + SizeText(maxBytes));
  }
  return TextFileResult{std::move(content), {}};
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  return ReadTextFile(path, std::numeric_limits<std::uintmax_t>::max(), "a file").content;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (text.substr(0, kMark.size()) == kMark) text.remove_prefix(kMark.size());
  return text;
}

}  // namespace vx
