#include "i18n/option_argument.h"

namespace vx {

OptionArgument ReadOption(const std::vector<std::string>& arguments, std::size_t at, std::string_view name) {
  OptionArgument read;
  read.next = at + 1;
  if (at >= arguments.size()) return read;
  const std::string& argument = arguments[at];
  if (argument == name) {
    read.matched = true;
    if (at + 1 < arguments.size()) {
      read.value = arguments[at + 1];
      read.next = at + 2;
    }
  } else if (argument.size() > name.size() && argument.starts_with(name) && argument[name.size()] == '=') {
    read.matched = true;
    read.joined = true;
    read.value = argument.substr(name.size() + 1);
  }
  return read;
}

}  // namespace vx
