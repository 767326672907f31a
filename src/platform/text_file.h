#pragma once
// Reading a whole text file into memory, byte for byte, but only a file that
// can be one of the program's text files: a regular file of a bounded size. A
// pipe, a device or a huge file is refused before any of it is read, so the
// window never waits on it and memory never runs out.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vx {

struct TextFileResult {
  std::optional<std::string> content;  // set when the file was read whole
  std::string problem;                 // why not, in plain words, when `content` is empty
};

// The whole content of the file at `path` (UTF-8, so names outside ASCII work
// on every platform), or why it was not read: absent, not a regular file (a
// folder, a device, a pipe), larger than `maxBytes`, not readable.
// `kind` names the file in the words, e.g. "a card-number file" (in the
// operator's language: TrCtx("file kind", ...)).
TextFileResult ReadTextFile(const std::string& path, std::uintmax_t maxBytes, std::string_view kind);

// The whole content of a regular file of any size, or nothing (for tools and
// tests that read files the program wrote itself).
std::optional<std::string> ReadWholeFile(const std::string& path);

// `text` without the UTF-8 byte-order mark that editors on Windows put at the
// start of a file. Only a mark at the very start is dropped.
std::string_view WithoutByteOrderMark(std::string_view text);

}  // namespace vx
