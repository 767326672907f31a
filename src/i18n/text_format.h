#pragma once
// Fills the placeholders of a text, in the C form that xgettext marks as
// c-format and msgfmt --check holds every translation to: %s for a text, %d
// (or %u) for a number, taken in order; %1$s, %2$d ... by position, so that
// a translation may put them in another order; %% for a percent sign.
//
//   Format(Tr("No link: no answer on %s"), port)
//
// Numbers are written as plain digits, never grouped, whatever the language.
// A placeholder with no argument, or one this does not know, stays as it is.

#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vx {

std::string FillPlaceholders(std::string_view pattern, std::initializer_list<std::string_view> arguments);

namespace detail {
inline std::string_view PlaceholderText(std::string_view text) { return text; }
inline std::string_view PlaceholderText(const std::string& text) { return text; }
inline std::string_view PlaceholderText(const char* text) { return text; }
template <std::integral Number>
  requires(!std::same_as<Number, bool> && !std::same_as<Number, char>)
std::string PlaceholderText(Number number) {
  return std::to_string(number);
}
}  // namespace detail

template <typename... Arguments>
std::string Format(std::string_view pattern, const Arguments&... arguments) {
  // The number texts live until the whole text is filled.
  const auto fill = [&](const auto&... texts) { return FillPlaceholders(pattern, {std::string_view(texts)...}); };
  return fill(detail::PlaceholderText(arguments)...);
}

}  // namespace vx
