#include "store/station_name.h"

#include <cstdint>

#include "i18n/terminal_text.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

// The code point that starts at `at`, and its length in bytes; 0 for a byte
// that starts no well-formed sequence (a stray continuation byte, a Latin-1
// letter, an overlong form, a surrogate, beyond U+10FFFF, cut short).
std::size_t DecodeAt(std::string_view text, std::size_t at, char32_t& point) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    point = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, least = 0x80, point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, least = 0x800, point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, least = 0x10000, point = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    point = (point << 6) | (byte(at + i) & 0x3F);
  }
  if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

StationNameCheck CheckStationName(std::string_view given) {
  std::size_t first = 0, end = given.size();
  while (first < end && Blank(given[first])) ++first;
  while (end > first && Blank(given[end - 1])) --end;
  StationNameCheck check;
  const std::string_view name = given.substr(first, end - first);
  check.name = std::string(name);
  if (name.empty()) {
    check.problem = Tr("the name is blank");
    return check;
  }
  std::size_t characters = 0;
  for (std::size_t at = 0; at < name.size();) {
    char32_t point = 0;
    const std::size_t length = DecodeAt(name, at, point);
    if (length == 0) {
      // TRANSLATORS: %d counts the name's bytes from 1.
      check.problem = Format(Tr("the name is not UTF-8 text: byte %d is not part of a character"), first + at + 1);
      return check;
    }
    ++characters;
    if (IsControlCharacter(point)) {
      // TRANSLATORS: %1$s is the character's code ("U+001B"), %2$d counts the
      // name's characters from 1.
      check.problem = Format(Tr("the name holds a control character, %1$s, at character %2$d"), CodePointName(point),
                             characters);
      return check;
    }
    at += length;
  }
  if (characters > kStationNameMaxCharacters)
    // TRANSLATORS: %1$d is the name's length, %2$d the most it may have (64).
    check.problem = Format(TrN("the name has %1$d character; a station's name has at most %2$d",
                               "the name has %1$d characters; a station's name has at most %2$d", characters),
                           characters, kStationNameMaxCharacters);
  return check;
}

std::string StationNameRefusal(const std::string& problem) {
  // TRANSLATORS: %s says what is wrong with the name ("the name is blank").
  return Format(Tr("This computer's name cannot be the station's name in the shared record: %s. Give the station a "
                   "name with --station NAME."),
                problem);
}

}  // namespace vx
