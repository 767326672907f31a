#include "i18n/text_format.h"

#include <vector>

namespace vx {

std::string FillPlaceholders(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
  const std::vector<std::string_view> args(arguments);
  std::string out;
  out.reserve(pattern.size() + 16 * args.size());
  std::size_t next = 0;  // the argument of the next %s or %d without a position
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c != '%' || i + 1 >= pattern.size()) {
      out += c;
      ++i;
      continue;
    }
    if (pattern[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    // %N$ picks argument N (from 1); one or two digits are plenty.
    std::size_t at = i + 1;
    std::size_t position = 0;
    while (at < pattern.size() && at < i + 3 && pattern[at] >= '0' && pattern[at] <= '9')
      position = position * 10 + static_cast<std::size_t>(pattern[at++] - '0');
    const bool positional = position > 0 && at < pattern.size() && pattern[at] == '$';
    if (positional) ++at;
    else at = i + 1;
    const bool known = at < pattern.size() && (pattern[at] == 's' || pattern[at] == 'd' || pattern[at] == 'u' ||
                                               pattern[at] == 'i');
    const std::size_t index = positional ? position - 1 : next;
    if (!known || index >= args.size()) {
      out += c;
      ++i;
      continue;
    }
    out += args[index];
    if (!positional) ++next;
    i = at + 1;
  }
  return out;
}

}  // namespace vx
