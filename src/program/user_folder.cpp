#include "program/user_folder.h"

#include <system_error>

#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "platform/utf8_path.h"

namespace vx {

namespace fs = std::filesystem;

std::string PathText(const fs::path& path) {
  return Utf8OfPath(fs::path(path).make_preferred());
}

std::string UserConfigPath(const fs::path& folder) { return PathText(folder / "HID.cfg"); }

std::string FillUserFolder(const fs::path& folder, const fs::path& sample) {
  std::error_code ignored;
  if (!folder.empty()) fs::create_directories(folder, ignored);  // and the missing parents
  // TRANSLATORS: %s is the folder, in full.
  if (folder.empty() || !fs::is_directory(folder, ignored)) return Format(Tr("Cannot make the folder %s."), PathText(folder));
  const fs::path config = folder / "HID.cfg";
  // Whatever is there by that name, a broken link or a folder too, is the
  // operator's: the start-up reports it if it is no format file, rather than
  // this replacing it.
  if (fs::exists(fs::symlink_status(config, ignored))) return {};
  if (!fs::is_regular_file(sample, ignored)) {
    // TRANSLATORS: %s is where the sample should be, in full. HID.cfg is a file name.
    return Format(Tr("The sample HID.cfg that comes with the program is missing: %s."), PathText(sample));
  }
  // Copied under another name first, so that a copy cut short never passes
  // for the operator's file on the next start.
  fs::path part = config;
  part += ".part";
  fs::remove(part, ignored);
  std::error_code copied;
  fs::copy_file(sample, part, fs::copy_options::overwrite_existing, copied);
  if (!copied) fs::rename(part, config, copied);
  if (copied) {
    fs::remove(part, ignored);
    // TRANSLATORS: %1$s is the sample file, %2$s the file it is copied to.
    return Format(Tr("Cannot copy the sample %1$s to %2$s."), PathText(sample), PathText(config));
  }
  // The installed sample is read-only for the operator; the copy is theirs to edit.
  fs::permissions(config, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read,
                  ignored);
  return {};
}

std::string EnterUserFolder(const fs::path& folder, const fs::path& sample) {
  if (std::string error = FillUserFolder(folder, sample); !error.empty()) return error;
  std::error_code failed;
  fs::current_path(folder, failed);
  // TRANSLATORS: %s is the folder, in full.
  if (failed) return Format(Tr("Cannot enter the folder %s."), PathText(folder));
  return {};
}

}  // namespace vx
