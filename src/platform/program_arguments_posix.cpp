#include "platform/program_arguments.h"

namespace vx {

// File names are bytes here, and UTF-8 in practice: passed on unchanged.
std::vector<std::string> ProgramArguments(int argc, char* argv[]) {
  if (argc < 1) return {};
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace vx
