#pragma once
// One run of vandorix-card: the command given, carried out through the same
// handlers as the window's buttons, reported on the console.

#include <ostream>
#include <string>

#include "cli/cli_arguments.h"

namespace vx::cli {

struct Console {
  std::ostream& out;   // one line a card, the summary; the JSON lines
  std::ostream& err;   // messages, questions, prompts
  bool colour = false; // the card lines in their tone's colour
  bool interactive = false;  // a person at the terminal answers prompts and questions
  bool inputTerminal = false;  // standard input is a terminal: printed numbers may be typed there
  std::string language = "en";  // the catalogue in use, for what names its language (the job report)
};

// The exit status of the run.
int RunCommand(const Options& options, Console& console);

}  // namespace vx::cli
