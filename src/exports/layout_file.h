#pragma once
// A site's own layout (`--layout @site.layout`): a text file of a header
// line, which is optional, and a fields line; blank lines and lines starting
// with # are comments.
//
//   # The door system's batch import
//   header: Card Type,Facility,Card,External
//   fields: {format:26=2,35=4,EM4100=9},{fc},{cn},"{printed}"
//
// The fields are {fc}, {cn}, {printed}, {format} (the format's name) and
// {format:KEY=CODE,...} (the site's code for each format: KEY is a number of
// bits for the HID format of that length, or a format's name, EM4100). The
// text between them is written as it is: the separators. A field in double
// quotes is always quoted. {tab} is a tab; {{ and }} are the braces
// themselves. A file that does not keep to this is refused with its line and
// what is wrong, before anything is written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "exports/export_layout.h"

namespace vx {

// A layout takes a few lines; a file far larger is not one.
inline constexpr std::uintmax_t kLayoutFileMaxBytes = 64 * 1024;

struct LayoutFileResult {
  std::optional<Layout> layout;
  int line = 0;         // the line at fault, from 1; 0 for the file as a whole
  std::string problem;  // what is wrong, in the operator's language
  // "The layout file site.layout, line 3: ...", naming `path`.
  std::string Message(const std::string& path) const;
};

LayoutFileResult ParseLayoutText(std::string_view text);
// Reads and parses the file; anything but a regular file of at most
// kLayoutFileMaxBytes is refused unread.
LayoutFileResult ReadLayoutFile(const std::string& path);

}  // namespace vx
