#pragma once
// One option that takes a value, read as every program's command line gives
// it: "--name VALUE" or "--name=VALUE". Here, below the programs, because
// the language is read with it before anything else is.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

struct OptionArgument {
  bool matched = false;              // the argument is the option, in either form
  bool joined = false;               // "--name=VALUE": the value came after '='
  std::optional<std::string> value;  // none when "--name" is the last argument
  std::size_t next = 0;              // the argument after the option and its value
};

// The option `name` at `arguments[at]`, if it is there.
OptionArgument ReadOption(const std::vector<std::string>& arguments, std::size_t at, std::string_view name);

}  // namespace vx
