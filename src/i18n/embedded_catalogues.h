#pragma once
// The compiled catalogues built into the program, one per po/LANG.po: the
// portable Windows zip has no folder to look for them in. The build makes
// their definition from the .po files (cmake/catalogues.cmake).

#include <cstdint>
#include <span>
#include <string_view>

namespace vx {

struct EmbeddedCatalogue {
  std::string_view language;  // the .po file's name: "de", "pt_BR"
  std::span<const std::uint8_t> bytes;  // the .mo file
};

std::span<const EmbeddedCatalogue> EmbeddedCatalogues();

}  // namespace vx
