#include "platform/program_arguments.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(WindowsProgramArguments, SplitAsWindowsDoesAndInUtf8) {
  const struct {
    const wchar_t* commandLine;
    std::vector<std::string> args;
  } cases[] = {
      {L"vandorix-programmer.exe", {}},
      {L"\"C:\\Program Files\\vx\\vandorix-programmer.exe\" --port com12", {"--port", "com12"}},
      {L"vx --check-config \"C:\\Karten f\u00fcr T\u00fcr\\\u03a9 HID.cfg\"",
       {"--check-config", "C:\\Karten f\xC3\xBCr T\xC3\xBCr\\\xCE\xA9 HID.cfg"}},
      {L"vx --check-config=D:\\\u30ab\u30fc\u30c9\\HID.cfg", {"--check-config=D:\\\xE3\x82\xAB\xE3\x83\xBC\xE3\x83\x89\\HID.cfg"}},
      {L"vx --port \\\\.\\COM12 \"\"", {"--port", "\\\\.\\COM12", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(ArgumentsOfCommandLine(c.commandLine), c.args);
}

}  // namespace
}  // namespace vx
