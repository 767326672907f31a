#include <sys/stat.h>

#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "store_odbc/connection_file.h"

namespace vx::odbc {

std::optional<std::string> ConnectionFileExposed(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;  // the reading says why
  if ((info.st_mode & (S_IRWXG | S_IRWXO)) == 0) return std::nullopt;
  // TRANSLATORS: the file named after @ in --shared-record holds a password
  // that other users of the computer may read; "chmod 600" is the command
  // that makes it private and stays as it is.
  return Format(Tr("the connection file %1$s can be read by other users: make it private: chmod 600 %1$s"), path);
}

}  // namespace vx::odbc
