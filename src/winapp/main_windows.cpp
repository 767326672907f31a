// vandorix-programmer on Windows: the window, or with --check-config a look
// at a format file. The same command line as on Linux.

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "platform/program_arguments.h"
#include "i18n/translate.h"
#include "i18n/use_language.h"
#include "program/command_line.h"
#include "program/console_action.h"
#include "program/shared_record_setup.h"
#include "winapp/control_ids_windows.h"
#include "winapp/link_choice_windows.h"
#include "winapp/main_window_windows.h"
#include "platform/utf16_text.h"
#include "winapp/user_folder_windows.h"

#ifndef VX_VERSION
#define VX_VERSION "unknown"
#endif

namespace {

const std::string kProgram = "vandorix-programmer";

// Started from the Start menu nobody reads a console: a fault that keeps the
// window from opening is shown as well as printed.
int Fail(const std::string& fault, int exitCode) {
  std::cerr << kProgram << ": " << fault << '\n';
  MessageBoxW(nullptr, vx::Wide(fault).c_str(), vx::win::kWindowTitle, MB_OK | MB_ICONERROR);
  return exitCode;
}

int RunWindow(const vx::CommandLine& commandLine) {
  if (commandLine.userFolder) {
    if (const std::string error = vx::win::EnterUserFolder(); !error.empty()) return Fail(error, 1);
  }
  vx::LinkChoice link = vx::win::MakeLink(commandLine);
  if (!link.link) {
    // A mistyped --simulate is the caller's mistake, told on the console.
    std::cerr << kProgram << ": " << link.error << '\n';
    return 2;
  }
  vx::win::MainWindow window(GetModuleHandleW(nullptr), *link.link);
  if (!window.Create()) return Fail(vx::Tr("Cannot make the window."), 1);
  // From the menu nobody sees the current folder: a fault names the file in full.
  const std::string configFile = commandLine.userFolder ? vx::win::UserConfigPath() : "HID.cfg";
  if (const auto fault = window.Startup(configFile)) return Fail(fault->Message(), 1);
  if (commandLine.port) window.SetPortText(*commandLine.port);
  if (!link.deviceNote.empty()) window.ShowDeviceNote(link.deviceNote);
  vx::SetUpSharedRecord(window.Core(), commandLine, vx::Utf8(vx::win::UserFolderPath()));
  window.Show(SW_SHOWDEFAULT);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.TranslateKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int main(int argc, char* argv[]) {
  // A window program has no console of its own: print into the one it was
  // started from, if any, so --check-config and --help can be read.
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
  }
  const std::vector<std::string> args = vx::ProgramArguments(argc, argv);
  vx::UseLanguage(vx::LanguageArgument(args));
  const vx::CommandLine commandLine = vx::ParseCommandLine(args);

  if (const auto exitCode = vx::RunConsoleAction(commandLine, kProgram, VX_VERSION, vx::win::EnterUserFolder,
                                                 std::cout, std::cerr))
    return *exitCode;
  return RunWindow(commandLine);
}
