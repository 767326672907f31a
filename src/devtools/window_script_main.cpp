// vx-window-script: the program's window driven through a few steps and saved
// as a picture, for the documentation (scripts/screenshot). A developer tool:
// the shipped program has none of these options.

#include <QApplication>
#include <QMessageBox>

#include <iostream>
#include <string>
#include <vector>

#include "program/command_line.h"
#include "app/program_window.h"
#include "app/qt_translations.h"
#include "devtools/scripted_run.h"
#include "devtools/window_script_command_line.h"
#include "i18n/use_language.h"

int main(int argc, char* argv[]) {
  const std::string tool = "vx-window-script";
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const vx::WindowScript script = vx::ParseWindowScript(args);
  if (script.help) {
    std::cout << vx::WindowScriptUsage();
    return 0;
  }
  if (!script.error.empty()) {
    std::cerr << tool << ": " << script.error << "\n\n" << vx::WindowScriptUsage();
    return 2;
  }
  const vx::CommandLine commandLine = vx::ParseCommandLine(script.programArgs);
  if (commandLine.action == vx::CommandLine::Action::Error) {
    std::cerr << tool << ": " << commandLine.error << "\n\n" << vx::WindowScriptUsage();
    return 2;
  }
  if (commandLine.action != vx::CommandLine::Action::Run) {
    std::cerr << tool << ": only opens the window; use vandorix-programmer for --check-config, --help and --version\n";
    return 2;
  }

  // The documentation's pictures are English unless a language is asked for,
  // whatever the language of the machine that makes them.
  const std::string language = commandLine.language.empty() ? "en" : vx::UseLanguage(commandLine.language);

  QApplication app(argc, argv);
  UseQtTranslations(language);
  vx::ProgramWindow started = vx::OpenProgramWindow(commandLine);
  if (!started.window) {
    std::cerr << tool << ": " << started.fault << '\n';
    return started.exitCode;
  }
  Tesselmain& window = *started.window;
  window.show();
  if (!script.steps.empty() || script.screenshot) {
    vx::StartScriptedRun(window, script.steps, script.screenshot, [](int code) { QApplication::exit(code); });
  }
  return app.exec();
}
