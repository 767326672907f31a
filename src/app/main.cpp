// vandorix-programmer: the window, or with --check-config a look at a format file.

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <iostream>
#include <string>
#include <vector>

#include "program/check_config.h"
#include "program/command_line.h"
#include "app/program_window.h"
#include "app/user_folder.h"
#include "core/program_arguments.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#endif

#ifndef VX_VERSION
#define VX_VERSION "unknown"
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
  // A window program has no console of its own: print into the one it was
  // started from, if any, so --check-config and --help can be read.
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
  }
#endif
  const std::string program = "vandorix-programmer";
  const std::vector<std::string> args = vx::ProgramArguments(argc, argv);
  const vx::CommandLine commandLine = vx::ParseCommandLine(args);

  // These need no window and so no display.
  switch (commandLine.action) {
    case vx::CommandLine::Action::Error:
      std::cerr << program << ": " << commandLine.error << "\n\n" << vx::UsageText(program);
      return 2;
    case vx::CommandLine::Action::Help:
      std::cout << vx::UsageText(program);
      return 0;
    case vx::CommandLine::Action::Version:
      std::cout << program << ' ' << VX_VERSION << '\n';
      return 0;
    case vx::CommandLine::Action::CheckConfig:
      if (commandLine.userFolder) {
        // Finding the installed sample needs the program's folder, which Qt knows.
        QCoreApplication core(argc, argv);
        if (const std::string error = vx::EnterUserFolder(); !error.empty()) {
          std::cerr << program << ": " << error << '\n';
          return 1;
        }
      }
      return vx::RunCheckConfig(commandLine.configFile, std::cout, std::cerr);
    case vx::CommandLine::Action::Run:
      break;
  }

  QApplication app(argc, argv);
  vx::ProgramWindow started = vx::OpenProgramWindow(commandLine);
  if (!started.window) {
    std::cerr << program << ": " << started.fault << '\n';
    // Started from the menu, nobody reads the terminal: a fault of the folder
    // or of HID.cfg is also shown.
    if (started.exitCode == 1) {
      QMessageBox::critical(nullptr, "VANDORIX PROGRAMMER", QString::fromStdString(started.fault));
    }
    return started.exitCode;
  }
  started.window->show();
  return app.exec();
}
