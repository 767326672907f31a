#include "core/program_arguments.h"

#include <windows.h>
#include <shellapi.h>

namespace vx {
namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminating zero
  return utf8;
}

}  // namespace

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
