#include "program/console_action.h"

#include "device/port_list.h"
#include "program/check_config.h"

namespace vx {

std::optional<int> RunConsoleAction(const CommandLine& commandLine, const std::string& program,
                                    const std::string& version, const std::function<std::string()>& enterUserFolder,
                                    std::ostream& out, std::ostream& err) {
  switch (commandLine.action) {
    case CommandLine::Action::Error:
      err << program << ": " << commandLine.error << "\n\n" << UsageText(program);
      return 2;
    case CommandLine::Action::Help:
      out << UsageText(program);
      return 0;
    case CommandLine::Action::Version:
      out << program << ' ' << version << '\n';
      return 0;
    case CommandLine::Action::CheckConfig:
      if (commandLine.userFolder) {
        if (const std::string error = enterUserFolder(); !error.empty()) {
          err << program << ": " << error << '\n';
          return 1;
        }
      }
      return RunCheckConfig(commandLine.configFile, out, err);
    case CommandLine::Action::ListPorts:
      for (const SerialPortInfo& port : ListSerialPorts()) out << port.name << '\t' << port.description << '\n';
      return 0;
    case CommandLine::Action::Run:
      break;
  }
  return std::nullopt;
}

}  // namespace vx
