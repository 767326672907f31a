#include "platform/program_arguments.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/utf16_text.h"

namespace vx {

std::vector<std::string> ArgumentsOfCommandLine(const wchar_t* commandLine) {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(commandLine, &count);
  if (!words) return {};
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Utf8(words[i]));
  LocalFree(words);
  return args;
}

std::vector<std::string> ProgramArguments(int /*argc*/, char* /*argv*/[]) {
  return ArgumentsOfCommandLine(GetCommandLineW());
}

}  // namespace vx
