#pragma once
// The program's command line. Without options the program opens its window.

#include <optional>
#include <string>
#include <vector>

namespace vx {

struct CommandLine {
  enum class Action { Run, CheckConfig, ListPorts, Help, Version, Error };
  Action action = Action::Run;
  std::optional<std::string> port;      // --port NAME: Combo1's text at start-up, as if typed
  std::string configFile = "HID.cfg";   // --check-config [FILE]
  std::optional<std::string> simulate;  // --simulate[=FAULTS]: the faults' names, empty for none
  // --user-folder: run in the operator's own folder (UserFolderPath), filled
  // with the sample HID.cfg the first time; what the desktop menu starts.
  bool userFolder = false;
  std::optional<std::string> sharedRecord;  // --shared-record CONNECTION: the shared record, connected at start
  std::optional<std::string> station;       // --station NAME: this station's name in it
  std::string language;                 // --language CODE: de, pt_BR ...; empty for the system's
  std::string error;                    // what is wrong, for Action::Error
};

// `args` are the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText(const std::string& programName);

}  // namespace vx
