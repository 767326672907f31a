#include "i18n/terminal_text.h"

#include <cstdio>

namespace vx {

Utf8Step Utf8StepAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  long codePoint = 0, least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, least = 0x10000;
  } else {
    return {-1, 1};
  }
  if (at + length > text.size()) return {-1, 1};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return {-1, 1};
    codePoint = codePoint << 6 | (byte(at + i) & 0x3F);
  }
  if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return {-1, 1};
  return {codePoint, length};
}

bool IsControlCharacter(long point) {
  return (point >= 0 && point < 0x20) || (point >= 0x7F && point <= 0x9F) || point == 0x2028 || point == 0x2029 ||
         (point >= 0x202A && point <= 0x202E) || (point >= 0x2066 && point <= 0x2069);
}

std::string CodePointName(long codePoint) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04lX", codePoint);
  return text;
}

std::string TerminalText(std::string_view text, LineBreaks breaks) {
  std::string out;
  out.reserve(text.size());
  char escaped[8];
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Step step = Utf8StepAt(text, at);
    const long c = step.codePoint;
    if (c < 0 || c < 0x20 || c == 0x7F) {
      if (c == '\n' && breaks == LineBreaks::Kept) {
        out += '\n';
      } else {
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(text[at]));
        out += escaped;
      }
    } else if (c >= 0x80 && c <= 0x9F) {
      std::snprintf(escaped, sizeof escaped, "\\u%04lx", c);
      out += escaped;
    } else {
      out.append(text.substr(at, step.length));
    }
    at += step.length;
  }
  return out;
}

}  // namespace vx
