#pragma once
// Letter case of ASCII only. Names the program matches (formats, ports,
// connection keys, engines, languages, fault words) are ASCII, and the
// operator's locale must not change what a name is: other bytes, UTF-8
// included, stay as they are.

#include <string>
#include <string_view>

namespace vx {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string AsciiLowered(std::string_view text);
std::string AsciiUppered(std::string_view text);

// ASCII letters compared without their case; other bytes as they are.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace vx
