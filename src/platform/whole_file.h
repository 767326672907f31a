#pragma once
// Writing a file whole or not at all: the bytes go into a file beside it,
// which is synced and then takes its place, so whoever opens it (an import
// watching a folder, a power cut) finds it as it was or with all the bytes,
// never with part of them.

#include <optional>
#include <string>
#include <string_view>

namespace vx {

// Makes `bytes` the content of the file at `path` (UTF-8). The reason in
// plain words when it cannot; nothing is changed then. Only a regular file is
// replaced; a link in its place is replaced, never written through.
std::optional<std::string> WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace vx
