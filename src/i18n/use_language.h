#pragma once
// The language of the program's texts, chosen once at start-up by each
// program from its --language option or, without one, from the system.

#include <string>
#include <string_view>
#include <vector>

namespace vx {

// Puts the catalogue `code` asks for in use ("de", "pt_BR", "de_DE.UTF-8";
// empty for the system's language). English when the program has no
// catalogue for it or it cannot be read. Returns the catalogue's name, or
// "en".
std::string UseLanguage(std::string_view code);

// The code of the last --language CODE (or --language=CODE) among a
// program's arguments, empty for none. Taken before the command line is
// parsed, so that even what is wrong with it is said in that language.
std::string LanguageArgument(const std::vector<std::string>& arguments);

}  // namespace vx
