#include "platform/text_file.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "platform/utf8_path.h"

namespace vx {

namespace {

std::string SizeText(std::uintmax_t bytes) {
  constexpr std::uintmax_t kKiB = 1024;
  constexpr std::uintmax_t kMiB = kKiB * kKiB;
  if (bytes >= kMiB) return Format(Tr("%d MiB"), bytes / kMiB);
  if (bytes >= kKiB) return Format(Tr("%d KiB"), bytes / kKiB);
  return Format(TrN("%d bytes", "%d bytes", bytes), bytes);
}

TextFileResult Refused(std::string problem) { return TextFileResult{std::nullopt, std::move(problem)}; }

}  // namespace

TextFileResult ReadTextFile(const std::string& path, std::uintmax_t maxBytes, std::string_view kind) {
  if (path.empty()) return Refused(Tr("no file name was given"));
  const std::filesystem::path fsPath = PathOfUtf8(path);
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(fsPath, ec);
  if (status.type() == std::filesystem::file_type::not_found) return Refused(Tr("the file does not exist"));
  // TRANSLATORS: %s is the system's reason.
  if (ec) return Refused(Format(Tr("the file cannot be examined (%s)"), ec.message()));
  // Opening a pipe waits for a writer and a device never ends: look before
  // opening, and read only what can be a text file.
  if (status.type() == std::filesystem::file_type::directory) return Refused(Tr("it is a folder, not a file"));
  if (status.type() != std::filesystem::file_type::regular) {
    return Refused(Tr("it is not a regular file (it is a device, a pipe or a socket), so it is not read"));
  }
  const std::uintmax_t size = std::filesystem::file_size(fsPath, ec);
  if (ec) return Refused(Format(Tr("the file cannot be examined (%s)"), ec.message()));
  if (size > maxBytes) {
    // TRANSLATORS: %1$s is the file's size ("3 MiB"), %2$s the kind of file
    // it should be ("a format file", "a card-number file"), %3$s its limit.
    return Refused(Format(Tr("the file is %1$s, larger than %2$s can be (at most %3$s)"), SizeText(size), kind,
                          SizeText(maxBytes)));
  }

  std::ifstream in(fsPath, std::ios::binary);
  if (!in) return Refused(Tr("the file cannot be opened for reading (no permission?)"));
  std::string content;
  char buffer[64 * 1024];
  // The size was looked at before opening; a file that grows meanwhile is
  // still read no further than the limit.
  while (content.size() <= maxBytes && (in.read(buffer, sizeof buffer) || in.gcount() > 0)) {
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return Refused(Tr("the file could not be read to its end (a read error)"));
  if (content.size() > maxBytes) {
    // TRANSLATORS: %s is the file's limit ("1 MiB").
    return Refused(Format(Tr("the file grew while it was read, past %s"), SizeText(maxBytes)));
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
