#pragma once
// The file named by "@FILE" holds a password: it must be the user's alone.

#include <optional>
#include <string>

namespace vx::odbc {

// Why the connection file at `path` will not do, in plain words: on POSIX,
// when its group or other users may read or change it. Nothing on Windows,
// where a file in the user's own folder is the user's.
std::optional<std::string> ConnectionFileExposed(const std::string& path);

}  // namespace vx::odbc
