#include "program/command_line.h"

#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "sim/faults.h"
#include "store/station_name.h"
#include "i18n/option_argument.h"

namespace vx {

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

CommandLine Fail(std::string error) {
  CommandLine line;
  line.action = CommandLine::Action::Error;
  line.error = std::move(error);
  return line;
}

// --shared-record or --station, whichever `args[at]` is.
OptionArgument SharedRecordOption(const std::vector<std::string>& args, std::size_t at) {
  const OptionArgument shared = ReadOption(args, at, "--shared-record");
  return shared.matched ? shared : ReadOption(args, at, "--station");
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasNext = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      line.action = CommandLine::Action::Help;
      return line;
    } else if (arg == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    } else if (const OptionArgument port = ReadOption(args, i, "--port"); port.matched) {
      if (!port.value) return Fail(Tr("--port needs a port name, e.g. --port COM3"));
      line.port = *port.value;
      i = port.next - 1;
    } else if (arg == "--check-config") {
      line.action = CommandLine::Action::CheckConfig;
      if (hasNext && !StartsWith(args[i + 1], "-")) line.configFile = args[++i];
    } else if (StartsWith(arg, "--check-config=")) {
      line.action = CommandLine::Action::CheckConfig;
      line.configFile = arg.substr(15);
    } else if (arg == "--list-ports") {
      line.action = CommandLine::Action::ListPorts;
    } else if (arg == "--simulate") {
      line.simulate = std::string();
    } else if (StartsWith(arg, "--simulate=")) {
      line.simulate = arg.substr(11);
      const sim::FaultParse faults = sim::ParseFaults(*line.simulate);
      if (!faults.faults) return Fail("--simulate: " + faults.error);
    } else if (arg == "--user-folder") {
      line.userFolder = true;
    } else if (const OptionArgument shared = SharedRecordOption(args, i); shared.matched) {
      const bool station = arg.starts_with("--station");
      if (!shared.joined && (!shared.value || shared.value->empty()))
        return Fail(station ? Tr("--station needs a name") : Tr("--shared-record needs a connection"));
      const char* option = station ? "--station" : "--shared-record";
      // TRANSLATORS: %s is the option (--station, --shared-record).
      if (shared.value->empty()) return Fail(Format(Tr("%s needs a value after '='"), option));
      (station ? line.station : line.sharedRecord) = *shared.value;
      i = shared.next - 1;
    } else if (const OptionArgument language = ReadOption(args, i, "--language"); language.matched) {
      if (language.value) line.language = *language.value;
      i = language.next - 1;
      if (line.language.empty()) return Fail(Tr("--language needs a language code, e.g. --language de"));
    } else {
      return Fail(Format(Tr("unknown argument: %s"), arg));
    }
    if (line.station) {
      const StationNameCheck station = CheckStationName(*line.station);
      // TRANSLATORS: %s says what is wrong with the name ("the name is blank").
      if (!station.problem.empty()) return Fail(Format(Tr("--station: %s"), station.problem));
      line.station = station.name;
    }
    if (line.port && line.port->empty()) return Fail(Tr("--port needs a port name, e.g. --port COM3"));
    if (line.configFile.empty()) return Fail(Tr("--check-config needs a file name after '='"));
  }
  return line;
}

std::string UsageText(const std::string& programName) {
  // One text per option, so that each is translated on its own. The option
  // names, the words in capitals (NAME, FILE), the fault words of --simulate,
  // the paths and the language codes stay as they are; the explanations start
  // in the 26th column, as in English.
  // TRANSLATORS: %s is the program's name.
  return Format(Tr("Usage: %s [options]\n"), programName) +
         Tr("Writes and reads 125 kHz proximity cards through a card reader/writer on a serial port.\n") + "\n" +
         Tr("Options:\n") +
         Tr("  --port NAME            start with NAME in the port box, as if typed (1-16, COM3, /dev/ttyUSB0)\n") +
         Tr("  --check-config [FILE]  load FILE (default HID.cfg in the current directory), print its\n"
            "                         formats one per line and exit; exit status 1 on a fault\n") +
         Tr("  --list-ports           print the serial ports of this machine, one a line: the name\n"
            "                         (what --port takes), a tab, what the system says it is\n") +
         Tr("  --simulate[=FAULTS]    talk to a built-in simulated reader/writer, whatever port is\n"
            "                         chosen; FAULTS (comma-separated) make it misbehave:\n"
            "                           silent   never answers\n"
            "                           refuse   refuses every write\n"
            "                           nocard   finds no card to read\n"
            "                           corrupt  reads back the card number plus one\n"
            "                           split    answers in three pieces, 30 ms apart\n"
            "                           garbage  sends stray bytes before every answer\n"
            "                           noread   never answers a read\n"
            "                           unplug   is pulled out when asked to write (and plugged in\n"
            "                                    again for the next operation)\n"
            "                           bytewise answers one byte at a time, 15 ms apart\n"
            "                           anylayout reads an HID card in whatever HID layout is\n"
            "                                    asked for, as it was written\n") +
         // xgettext:no-c-format
         Tr("  --user-folder          start in your own folder for this program, which is made and\n"
            "                         given a copy of the sample HID.cfg the first time (an edited\n"
            "                         HID.cfg there is kept): ~/.local/share/vandorix-programmer\n"
            "                         ($XDG_DATA_HOME/vandorix-programmer when that is set;\n"
            "                         %LOCALAPPDATA%\\vandorix-programmer on Windows)\n") +
         Tr("  --shared-record CONNECTION\n"
            "                         write through the shared record that several stations share:\n"
            "                         an ODBC connection string (Driver={...};Server=db1;...), a data\n"
            "                         source (DSN=cards, or cards), or @FILE for a string read from FILE\n") +
         Tr("  --station NAME         this station's name in the shared record (default: the computer's)\n") +
         Tr("  --language CODE        show the window in another language than the system's: de, fr,\n"
            "                         es, pt_BR, it, nl, pl, ru, tr, zh_CN, or en for English\n") +
         Tr("  --help                 show this text and exit\n") +
         Tr("  --version              show the version and exit\n");
}

}  // namespace vx
