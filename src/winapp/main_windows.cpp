// vandorix-programmer on Windows: the window, or with --check-config a look
// at a format file. The same command line as on Linux.

#include <windows.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/program_arguments.h"
#include "i18n/use_language.h"
#include "program/command_line.h"
#include "program/console_action.h"
#include "program/parent_console.h"
#include "program/window_start.h"
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

int RunWindow(const vx::CommandLine& commandLine) {
  std::unique_ptr<vx::SerialLink> link;  // made before the window, which talks through it, and gone after it
  std::unique_ptr<vx::win::MainWindow> window;
  vx::WindowFront front;
  front.enterUserFolder = vx::win::EnterUserFolder;
  front.userFolder = [] { return std::filesystem::path(vx::win::UserFolderPath()); };
  front.makeLink = vx::win::MakeLink;
  front.makeWindow = [&](std::unique_ptr<vx::SerialLink>& made) -> vx::StartingWindow* {
    link = std::move(made);
    window = std::make_unique<vx::win::MainWindow>(GetModuleHandleW(nullptr), *link);
    return window->Create() ? window.get() : nullptr;
  };
  if (const auto fault = vx::StartWindow(commandLine, front)) {
    return vx::TellStartFault(*fault, kProgram, std::cerr, [](const std::string& text) {
      MessageBoxW(nullptr, vx::Wide(text).c_str(), vx::win::kWindowTitle, MB_OK | MB_ICONERROR);
    });
  }
  window->Show(SW_SHOWDEFAULT);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window->TranslateKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int main(int argc, char* argv[]) {
  vx::UseParentConsole();
  const std::vector<std::string> args = vx::ProgramArguments(argc, argv);
  vx::UseLanguage(vx::LanguageArgument(args));
  const vx::CommandLine commandLine = vx::ParseCommandLine(args);

  if (const auto exitCode = vx::RunConsoleAction(commandLine, kProgram, VX_VERSION, vx::win::EnterUserFolder,
                                                 std::cout, std::cerr))
    return *exitCode;
  return RunWindow(commandLine);
}
