// vandorix-card: writes and reads cards from the command line, over the same
// handlers as the window's buttons.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/card_run.h"
#include "cli/cli_arguments.h"
#include "cli/console_system.h"
#include "platform/program_arguments.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "i18n/use_language.h"
#include "store/store_connection.h"

int main(int argc, char* argv[]) {
  using namespace vx::cli;
  const bool colourable = PrepareConsole();
  const std::vector<std::string> arguments = vx::ProgramArguments(argc, argv);
  const std::string language = vx::UseLanguage(vx::LanguageArgument(arguments));
  const ParseResult parsed = ParseArguments(arguments, vx::SharedRecordVariable());
  if (!parsed.options) {
    // TRANSLATORS: what is wrong with the command line, then where to look.
    std::cerr << "vandorix-card: " << vx::Format(vx::Tr("%s (try vandorix-card --help)"), parsed.error) << "\n";
    return kExitUsage;
  }
  const Options& options = *parsed.options;
  if (options.help) {
    std::cout << HelpText(options.command);
    return kExitOk;
  }
  InstallInterruptHandler();
  const char* noColour = std::getenv("NO_COLOR");
  const char* term = std::getenv("TERM");
  Console console{std::cout, std::cerr};
  console.language = language;
  console.colour = colourable && IsTerminal(Stream::Output) && !(noColour && *noColour) &&
                   !(term && std::string_view(term) == "dumb");
  console.inputTerminal = IsTerminal(Stream::Input);
  console.interactive = console.inputTerminal && !options.yes;
  return RunCommand(options, console);
}
