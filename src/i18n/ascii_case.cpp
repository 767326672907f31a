#include "i18n/ascii_case.h"

namespace vx {

std::string AsciiLowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = AsciiLower(c);
  return lowered;
}

std::string AsciiUppered(std::string_view text) {
  std::string uppered(text);
  for (char& c : uppered) c = AsciiUpper(c);
  return uppered;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace vx
