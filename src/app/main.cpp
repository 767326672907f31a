// vandorix-programmer: the window, or with --check-config a look at a format file.

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <iostream>
#include <string>
#include <vector>

#include "app/check_config.h"
#include "app/command_line.h"
#include "app/link_factory.h"
#include "app/tesselmain.h"
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
  if (commandLine.userFolder) {
    if (const std::string error = vx::EnterUserFolder(); !error.empty()) {
      QMessageBox::critical(nullptr, "VANDORIX PROGRAMMER", QString::fromStdString(error));
      return 1;
    }
  }
  vx::LinkChoice link = vx::MakeSerialLink(commandLine);
  if (!link.link) {
    std::cerr << program << ": " << link.error << '\n';
    return 2;
  }
  Tesselmain window(std::move(link.link));
  // From the menu nobody sees the current folder: a fault names the file in full.
  const std::string configFile = commandLine.userFolder ? vx::UserConfigPath() : "HID.cfg";
  if (const auto fault = window.Startup(configFile)) {
    QMessageBox::critical(nullptr, "VANDORIX PROGRAMMER", QString::fromStdString(fault->Message()));
    return 1;
  }
  if (commandLine.port) window.SetPortText(*commandLine.port);
  if (!link.deviceNote.empty()) window.ShowDeviceNote(link.deviceNote);
  window.show();
  return app.exec();
}
