// vandorix-programmer: the window, or with --check-config a look at a format
// file, or with --list-ports the machine's serial ports.

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <iostream>
#include <string>
#include <vector>

#include "app/program_window.h"
#include "app/qt_translations.h"
#include "app/user_folder.h"
#include "platform/program_arguments.h"
#include "i18n/use_language.h"
#include "program/command_line.h"
#include "program/console_action.h"
#include "program/parent_console.h"
#include "program/window_start.h"

#ifndef VX_VERSION
#define VX_VERSION "unknown"
#endif

int main(int argc, char* argv[]) {
  vx::UseParentConsole();
  const std::string program = "vandorix-programmer";
  const std::vector<std::string> args = vx::ProgramArguments(argc, argv);
  const std::string language = vx::UseLanguage(vx::LanguageArgument(args));
  const vx::CommandLine commandLine = vx::ParseCommandLine(args);

  // These need no window and so no display. Finding the installed sample for
  // --user-folder needs the program's folder, which Qt knows.
  const auto enterUserFolder = [&] {
    QCoreApplication core(argc, argv);
    return vx::EnterUserFolder();
  };
  if (const auto exitCode = vx::RunConsoleAction(commandLine, program, VX_VERSION, enterUserFolder, std::cout, std::cerr))
    return *exitCode;

  QApplication app(argc, argv);
  UseQtTranslations(language);
  vx::ProgramWindow started = vx::OpenProgramWindow(commandLine);
  if (!started.window) {
    return vx::TellStartFault({started.fault, started.exitCode}, program, std::cerr, [](const std::string& fault) {
      // The fault may quote the file: shown as it is, never as markup.
      QMessageBox box(QMessageBox::Critical, "VANDORIX PROGRAMMER", QString::fromStdString(fault));
      box.setTextFormat(Qt::PlainText);
      box.exec();
    });
  }
  started.window->Core().reportLanguage = language;
  started.window->show();
  return app.exec();
}
