#include "platform/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "i18n/translate.h"
#include "platform/record_platform.h"
#include "platform/utf8_path.h"

namespace vx {

std::optional<std::string> WriteWholeFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return Tr("no file name was given");
  errno = 0;
  switch (record_platform::KindAt(path, true)) {
    case record_platform::PathKind::Folder: return Tr("it is a folder, not a file");
    case record_platform::PathKind::Other:
      return Tr("it is not a regular file (it is a device, a pipe or a socket), so it is not replaced");
    case record_platform::PathKind::Unknown: return record_platform::ErrorText(errno);
    default: break;
  }
  // What a run cut short left beside it is the program's own.
  const std::string part = path + ".part";
  std::error_code ignored;
  std::filesystem::remove(PathOfUtf8(part), ignored);
  const auto failed = [&part, &ignored](int error) -> std::optional<std::string> {
    std::filesystem::remove(PathOfUtf8(part), ignored);
    return record_platform::ErrorText(error);
  };
  errno = 0;
  std::FILE* file = record_platform::OpenForAppend(part, {.create = true, .refuseLink = true});
  if (!file) return record_platform::ErrorText(errno);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0 &&
                       record_platform::SyncToDisk(file);
  const int error = errno;
  if (std::fclose(file) != 0 || !written) return failed(written ? errno : error);
  std::error_code renamed;
  std::filesystem::rename(PathOfUtf8(part), PathOfUtf8(path), renamed);
  if (renamed) {
    std::filesystem::remove(PathOfUtf8(part), ignored);
    return renamed.message();
  }
  // The file is whole in its place; that its name may not outlast a power cut
  // is no reason to call it not written.
  record_platform::SyncFolderOf(path);
  return std::nullopt;
}

}  // namespace vx
