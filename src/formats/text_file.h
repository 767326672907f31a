#pragma once
// Reading a whole text file into memory, byte for byte.

#include <optional>
#include <string>

namespace vx {

// The whole content of the file, or nothing when it cannot be opened or read
// (absent, a folder, no permission, a read error). `path` is UTF-8, so names
// outside ASCII work on every platform.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace vx
