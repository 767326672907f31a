#pragma once
// The program's words in the operator's language. Every text the windows and
// vandorix-card show goes through one of these, its English being the key:
//
//   Tr("Write Card")                           a caption or a message
//   TrCtx("tab", "Card Number")                one English text serving two places
//   Format(TrN("%d card", "%d cards", n), n)   a text with a count in it
//   TrLater("Empty!")                          a constant, translated when used
//
// scripts/po-extract finds them by these names and collects their texts into
// po/vandorix-programmer.pot. With no catalogue in use (English, or a
// language the program has no catalogue for) each gives its English back
// unchanged, byte for byte.

#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

class MoCatalogue;

std::string Tr(std::string_view text);
std::string TrCtx(std::string_view context, std::string_view text);
// The form for n; English has `singular` for 1 and `plural` otherwise.
std::string TrN(std::string_view singular, std::string_view plural, std::uint64_t n);
std::string TrCtxN(std::string_view context, std::string_view singular, std::string_view plural, std::uint64_t n);

// A text kept in a constant or a table, made before the language is chosen:
// it holds the English and is translated each time it becomes a string, so
// it shows, and compares equal to, the text as the operator sees it.
class LazyText {
 public:
  constexpr LazyText(const char* context, const char* text) : context_(context), text_(text) {}

  std::string str() const { return TrCtx(context_, text_); }
  operator std::string() const { return str(); }
  constexpr std::string_view English() const { return text_; }

  friend bool operator==(const std::string& shown, const LazyText& text) { return shown == text.str(); }

 private:
  const char* context_;
  const char* text_;
};

constexpr LazyText TrLater(const char* text) { return LazyText("", text); }
constexpr LazyText TrCtxLater(const char* context, const char* text) { return LazyText(context, text); }

// The catalogue every Tr uses from now on; nullptr for English. It must live
// as long as it is in use (UseLanguage's catalogues live as long as the
// program). Chosen at start-up, before any text is shown.
void SetCatalogue(const MoCatalogue* catalogue);

}  // namespace vx
