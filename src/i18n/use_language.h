#pragma once
// The language of the program's texts, chosen once at start-up by each
// program from its --language option or, without one, from the system.

#include <string>
#include <string_view>

namespace vx {

// Puts the catalogue `code` asks for in use ("de", "pt_BR", "de_DE.UTF-8";
// empty for the system's language). English when the program has no
// catalogue for it or it cannot be read. Returns the catalogue's name, or
// "en".
std::string UseLanguage(std::string_view code);

}  // namespace vx
