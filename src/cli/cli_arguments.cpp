#include "cli/cli_arguments.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "operations/card_kinds.h"
#include "operations/printed_check.h"
#include "operations/tabs.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "store/station_name.h"
#include "i18n/ascii_case.h"
#include "i18n/option_argument.h"
#include "exports/credential_fields.h"
#include "exports/export_layout.h"
#include "record/record_time.h"

namespace vx::cli {

namespace {

constexpr unsigned Bit(Command c) { return 1u << static_cast<unsigned>(c); }
constexpr unsigned kOnPort =
    Bit(Command::Link) | Bit(Command::Read) | Bit(Command::Write) | Bit(Command::Batch) | Bit(Command::Identify);
constexpr unsigned kOnCards = Bit(Command::Read) | Bit(Command::Write) | Bit(Command::Batch);
constexpr unsigned kOnWrites = Bit(Command::Write) | Bit(Command::Batch);
constexpr unsigned kOnListing = Bit(Command::Export) | Bit(Command::Report);
constexpr unsigned kOnShared = kOnWrites | Bit(Command::Store) | kOnListing;
constexpr unsigned kOnExport = Bit(Command::Export);

struct CommandName {
  std::string_view name;
  Command command;
};
constexpr std::array<CommandName, 9> kCommands{{{"ports", Command::Ports},
                                                {"link", Command::Link},
                                                {"read", Command::Read},
                                                {"write", Command::Write},
                                                {"batch", Command::Batch},
                                                {"identify", Command::Identify},
                                                {"store", Command::Store},
                                                {"export", Command::Export},
                                                {"report", Command::Report}}};

struct StoreActionName {
  std::string_view name;
  StoreAction action;
};
constexpr std::array<StoreActionName, 4> kStoreActions{{{"init", StoreAction::Init},
                                                        {"schema", StoreAction::Schema},
                                                        {"status", StoreAction::Status},
                                                        {"release", StoreAction::Release}}};

std::string_view NameOf(Command command) {
  for (const CommandName& c : kCommands)
    if (c.command == command) return c.name;
  return "";
}

enum class Opt {
  Port, Format, Config, Record, File, Fc, Cn, Count, Yes, Resume, CheckFirst, Json, StopOnFailure,
  SharedRecord, Station, StoreWait, Roles, Help, Language, CheckPrinted, PrintedOffset, PrintedFrom,
  Source, Since, Until, Layout, Em4100, Delimiter, Bom, Output
};

struct OptionRule {
  std::string_view name;
  Opt opt;
  bool takesValue;
  unsigned commands;  // the commands it belongs to
  unsigned requiredBy;
};

constexpr std::array<OptionRule, 30> kOptions{{
    {"--port", Opt::Port, true, kOnPort, kOnPort},
    {"--format", Opt::Format, true, kOnCards | kOnListing, kOnCards},
    {"--config", Opt::Config, true, kOnCards | Bit(Command::Identify), 0},
    {"--record", Opt::Record, true, kOnCards | kOnListing, 0},
    {"--file", Opt::File, true, Bit(Command::Batch), Bit(Command::Batch)},
    {"--fc", Opt::Fc, true, Bit(Command::Write), Bit(Command::Write)},
    {"--cn", Opt::Cn, true, Bit(Command::Write), Bit(Command::Write)},
    {"--count", Opt::Count, true, Bit(Command::Write), 0},
    {"--yes", Opt::Yes, false, kOnWrites, 0},
    {"--resume", Opt::Resume, false, Bit(Command::Batch), 0},
    {"--check-card-first", Opt::CheckFirst, false, kOnWrites, 0},
    {"--json", Opt::Json, false, kOnCards | Bit(Command::Identify), 0},
    {"--stop-on-failure", Opt::StopOnFailure, false, kOnWrites, 0},
    {"--shared-record", Opt::SharedRecord, true, kOnShared, 0},
    {"--station", Opt::Station, true, kOnShared, 0},
    {"--store-wait", Opt::StoreWait, true, kOnShared, 0},
    {"--roles", Opt::Roles, false, Bit(Command::Store), 0},
    {"--help", Opt::Help, false, ~0u, 0},
    {"--language", Opt::Language, true, ~0u, 0},
    {"--check-printed", Opt::CheckPrinted, false, kOnWrites, 0},
    {"--printed-offset", Opt::PrintedOffset, true, kOnWrites, 0},
    {"--printed-from", Opt::PrintedFrom, true, kOnWrites, 0},
    {"--source", Opt::Source, true, kOnListing, 0},
    {"--since", Opt::Since, true, kOnListing, 0},
    {"--until", Opt::Until, true, kOnListing, 0},
    {"--layout", Opt::Layout, true, kOnExport, 0},
    {"--em4100", Opt::Em4100, true, kOnExport, 0},
    {"--delimiter", Opt::Delimiter, true, kOnExport, 0},
    {"--bom", Opt::Bom, false, kOnExport, 0},
    {"--output", Opt::Output, true, kOnListing, 0},
}};

constexpr int kMaxStoreWait = 86400;  // a day

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool KnownFormat(const std::string& upper) { return TabOfCardFormat(upper) != nullptr; }

std::string FormatList() {
  std::vector<std::string> names;
  for (const TabSpec& tab : kTabs)
    if (tab.kind == TabKind::Hid) names.emplace_back(tab.formatName);
  std::sort(names.begin(), names.end());
  std::string list;
  for (const std::string& name : names) list += name + ", ";
  return list + std::string(kEm4100FormatName);
}

// "a, b or c": the names of a table, for the message that a value is none of them.
template <typename Table, typename NameOf>
std::string Choices(const Table& table, NameOf nameOf) {
  std::string list;
  for (std::size_t i = 0; i < table.size(); ++i)
    // TRANSLATORS: joins the last two names of a list, "plain, camel, pair or columns".
    list += (i == 0 ? "" : i + 1 == table.size() ? Tr(" or ") : ", ") + std::string(nameOf(table[i]));
  return list;
}

// A day as YYYY-MM-DD that the calendar has.
bool IsDay(const std::string& text) { return text.size() == 10 && TimeOfRecordText(text + "T00:00:00Z"); }

ParseResult Fail(std::string error) { return {std::nullopt, std::move(error)}; }

// Sets one option from its value; an error text when the value will not do.
std::string Apply(Options& o, Opt opt, const std::string& value) {
  switch (opt) {
    case Opt::Port: o.port = value; break;
    case Opt::Format:
      o.format = AsciiUppered(value);
      if (!KnownFormat(o.format))
        // TRANSLATORS: the format asked for, then the list "HID24, HID26, ..., EM4100".
        return Format(Tr("--format: no format \"%1$s\"; the formats are %2$s"), value, FormatList());
      break;
    case Opt::Config: o.config = value; break;
    case Opt::Record: (ListsRecords(o.command) ? o.records.emplace_back() : o.record) = value; break;
    case Opt::File: o.file = value; break;
    case Opt::Fc:
    case Opt::Cn:
      if (!AllDigits(value))
        // TRANSLATORS: the option (--fc or --cn), then the value given.
        return Format(Tr("%1$s needs a whole decimal number, not \"%2$s\""), opt == Opt::Fc ? "--fc" : "--cn", value);
      (opt == Opt::Fc ? o.fc : o.cn) = value;
      break;
    case Opt::Count:
      if (!AllDigits(value) || value.size() > 6 || std::stoi(value) < 1 || std::stoi(value) > kMaxCount)
        return Format(Tr("--count needs a number of cards from 1 to %1$d, not \"%2$s\""), kMaxCount, value);
      o.count = std::stoi(value);
      break;
    case Opt::Yes: o.yes = true; break;
    case Opt::Resume: o.resume = true; break;
    case Opt::CheckFirst: o.checkCardFirst = true; break;
    case Opt::Json: o.json = true; break;
    case Opt::StopOnFailure: o.stopOnFailure = true; break;
    case Opt::SharedRecord: o.sharedRecord = value; break;
    case Opt::Station: {
      const StationNameCheck station = CheckStationName(value);
      // TRANSLATORS: %s says what is wrong with the name ("the name is blank").
      if (!station.problem.empty()) return Format(Tr("--station: %s"), station.problem);
      o.station = station.name;
      break;
    }
    case Opt::StoreWait:
      if (!AllDigits(value) || value.size() > 5 || std::stoi(value) > kMaxStoreWait)
        return Format(Tr("--store-wait needs a number of seconds from 0 to %1$d, not \"%2$s\""), kMaxStoreWait, value);
      o.storeWait = std::stoi(value);
      break;
    case Opt::Roles: o.roles = true; break;
    case Opt::Help: o.help = true; break;
    case Opt::Language: o.language = value; break;
    case Opt::CheckPrinted: o.checkPrinted = true; break;
    case Opt::PrintedOffset:
      if (!AllDigits(value) || value.size() > kPrintedOffsetDigits)
        // TRANSLATORS: %1$d is the most digits, %2$s the value given.
        return Format(Tr("--printed-offset needs a whole decimal number of at most %1$d digits, not \"%2$s\""),
                      static_cast<int>(kPrintedOffsetDigits), value);
      o.printedOffset = value;
      break;
    case Opt::PrintedFrom: o.printedFrom = value; break;
    case Opt::Source: o.source = value; break;
    case Opt::Since:
    case Opt::Until:
      if (!IsDay(value))
        // TRANSLATORS: the option (--since or --until), then the value given; YYYY-MM-DD stays as it is.
        return Format(Tr("%1$s needs a day as YYYY-MM-DD, not \"%2$s\""), opt == Opt::Since ? "--since" : "--until",
                      value);
      (opt == Opt::Since ? o.since : o.until) = value;
      break;
    case Opt::Layout:
      if (value.starts_with("@")) {
        if (value.size() == 1) return Format(Tr("%s needs a value"), "--layout @FILE");
        o.layout = value;
        break;
      }
      o.layout = AsciiLowered(value);
      if (std::find(kLayoutNames.begin(), kLayoutNames.end(), o.layout) == kLayoutNames.end())
        // TRANSLATORS: the layout asked for, then the list "plain, camel, pair or columns"; @FILE stays as it is.
        return Format(Tr("--layout: no layout \"%1$s\"; the layouts are %2$s, or @FILE for a layout file"), value,
                      Choices(kLayoutNames, [](std::string_view name) { return name; }));
      break;
    case Opt::Em4100:
    case Opt::Delimiter: {
      const bool em4100 = opt == Opt::Em4100;
      if (em4100 ? !Em4100FormOfName(value) : !DelimiterOfName(value))
        // TRANSLATORS: the option, the list of its values ("hex10, dez10,
        // dez8 or w26"), then the value given.
        return Format(Tr("%1$s takes %2$s, not \"%3$s\""), em4100 ? "--em4100" : "--delimiter",
                      em4100 ? Choices(kEm4100Forms, [](const Em4100FormName& form) { return form.name; })
                             : Choices(kDelimiters, [](const DelimiterName& d) { return d.name; }),
                      value);
      (em4100 ? o.em4100 : o.delimiter) = AsciiLowered(value);
      break;
    }
    case Opt::Bom: o.byteOrderMark = true; break;
    case Opt::Output: o.output = value; break;
  }
  return {};
}

}  // namespace

ParseResult ParseArguments(const std::vector<std::string>& arguments, const std::string& sharedRecordVariable) {
  Options o;
  std::vector<Opt> given;
  std::size_t i = 0;
  // "vandorix-card --language fr write ...": the language may come first.
  for (OptionArgument language; (language = ReadOption(arguments, i, "--language")).matched; i = language.next) {
    if (std::find(given.begin(), given.end(), Opt::Language) != given.end())
      return Fail(Format(Tr("%s is given twice"), "--language"));
    given.push_back(Opt::Language);
    if (!language.value || language.value->empty()) return Fail(Format(Tr("%s needs a value"), "--language"));
    o.language = *language.value;
  }
  if (i < arguments.size() && !arguments[i].starts_with("-")) {
    const std::string& word = arguments[i++];
    const auto it = std::find_if(kCommands.begin(), kCommands.end(), [&](const CommandName& c) { return c.name == word; });
    if (it == kCommands.end())
      // TRANSLATORS: the word given, then the list "ports, link, ... or export"; the command words stay as they are.
      return Fail(Format(Tr("no command \"%1$s\"; the commands are %2$s"), word,
                         Choices(kCommands, [](const CommandName& c) { return c.name; })));
    o.command = it->command;
  }
  if (o.command == Command::Store && i < arguments.size() && !arguments[i].starts_with("-")) {
    const std::string& word = arguments[i++];
    const auto it = std::find_if(kStoreActions.begin(), kStoreActions.end(),
                                 [&](const StoreActionName& a) { return a.name == word; });
    if (it == kStoreActions.end())
      return Fail(Format(Tr("no store action \"%s\"; the actions are init, schema, status, release"), word));
    o.storeAction = it->action;
    if (o.storeAction == StoreAction::Release) {
      // store release FORMAT FC CN: the credential a supervisor has checked.
      // TRANSLATORS: FORMAT, FC and CN name what is given after "store release".
      if (i + 3 > arguments.size()) return Fail(Tr("store release needs FORMAT FC CN"));
      o.format = AsciiUppered(arguments[i]);
      if (!KnownFormat(o.format))
        return Fail(Format(Tr("store release: no format \"%1$s\"; the formats are %2$s"), arguments[i], FormatList()));
      if (!AllDigits(arguments[i + 1]) || !AllDigits(arguments[i + 2]) || arguments[i + 1].size() > 10 ||
          arguments[i + 2].size() > 10 || std::stoull(arguments[i + 1]) > 4294967295ULL ||
          std::stoull(arguments[i + 2]) > 4294967295ULL)
        return Fail(Tr("store release needs FC and CN as whole decimal numbers"));
      o.fc = arguments[i + 1];
      o.cn = arguments[i + 2];
      i += 3;
    }
  }
  for (; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const auto rule =
        std::find_if(kOptions.begin(), kOptions.end(), [&](const OptionRule& s) { return s.name == name; });
    if (rule == kOptions.end() || !arg.starts_with("--"))
      return Fail(arg.starts_with("-") ? Format(Tr("no option \"%s\""), name)
                                       : Format(Tr("unexpected argument \"%s\""), arg));
    if (o.command == Command::None && rule->opt != Opt::Help && rule->opt != Opt::Language)
      return Fail(Format(Tr("give a command before %s"), name));
    if (!(rule->commands & Bit(o.command)))
      // TRANSLATORS: an option ("--file"), then a command ("write").
      return Fail(Format(Tr("%1$s is not an option of %2$s"), name, NameOf(o.command)));
    // An export or a report may list the cards of several records.
    const bool repeatable = rule->opt == Opt::Record && ListsRecords(o.command);
    if (!repeatable && std::find(given.begin(), given.end(), rule->opt) != given.end())
      return Fail(Format(Tr("%s is given twice"), name));
    given.push_back(rule->opt);
    std::string value;
    if (rule->takesValue) {
      const OptionArgument read = ReadOption(arguments, i, name);
      if (!read.value || read.value->empty()) return Fail(Format(Tr("%s needs a value"), name));
      value = *read.value;
      i = read.next - 1;
    } else if (equals != std::string::npos) {
      return Fail(Format(Tr("%s takes no value"), name));
    }
    if (std::string error = Apply(o, rule->opt, value); !error.empty()) return Fail(error);
  }
  if (o.help) return {o, {}};
  if (o.command == Command::None) return Fail(Tr("no command given"));
  for (const OptionRule& rule : kOptions)
    if ((rule.requiredBy & Bit(o.command)) && std::find(given.begin(), given.end(), rule.opt) == given.end())
      // TRANSLATORS: a command ("write"), then an option it cannot do without ("--port").
      return Fail(Format(Tr("%1$s needs %2$s"), NameOf(o.command), rule.name));
  if (o.resume && o.record.empty())
    return Fail(Tr("--resume needs --record: the record tells how far the batch got"));
  for (const Opt opt : {Opt::PrintedOffset, Opt::PrintedFrom})
    if (!o.checkPrinted && std::find(given.begin(), given.end(), opt) != given.end())
      // TRANSLATORS: the option given (--printed-offset or --printed-from).
      return Fail(Format(Tr("%s needs --check-printed"), opt == Opt::PrintedOffset ? "--printed-offset" : "--printed-from"));
  if (o.command == Command::Store && o.storeAction == StoreAction::None)
    return Fail(Tr("store needs an action: init, schema, status or release"));
  if (o.roles && o.storeAction != StoreAction::Schema) return Fail(Tr("--roles is an option of store schema only"));
  bool sharedGiven = std::find(given.begin(), given.end(), Opt::SharedRecord) != given.end();
  const bool schemaOnly = o.command == Command::Store && o.storeAction == StoreAction::Schema;
  // An export from records alone reaches no shared record unless asked to.
  const bool recordsOnly = ListsRecords(o.command) && !o.records.empty();
  if (!sharedGiven && !sharedRecordVariable.empty() && (kOnShared & Bit(o.command)) && !schemaOnly && !recordsOnly) {
    o.sharedRecord = sharedRecordVariable;
    sharedGiven = true;
  }
  if (o.command == Command::Store && o.storeAction != StoreAction::Schema && !sharedGiven)
    return Fail(Tr("store needs --shared-record"));
  for (const Opt opt : {Opt::Station, Opt::StoreWait})
    if (!sharedGiven && std::find(given.begin(), given.end(), opt) != given.end())
      // TRANSLATORS: the option given (--station or --store-wait).
      return Fail(Format(Tr("%s needs --shared-record"), opt == Opt::Station ? "--station" : "--store-wait"));
  if (ListsRecords(o.command)) {
    if (o.records.empty() && !sharedGiven)
      // TRANSLATORS: the command (export or report); the options stay as they are.
      return Fail(Format(Tr("%s needs --record FILE or --shared-record"), NameOf(o.command)));
    if (!o.since.empty() && !o.until.empty() && o.since > o.until)
      // TRANSLATORS: the two days given, as YYYY-MM-DD.
      return Fail(Format(Tr("--since %1$s is after --until %2$s: no day is left"), o.since, o.until));
    if (o.layout.starts_with("@") && std::find(given.begin(), given.end(), Opt::Delimiter) != given.end())
      return Fail(Tr("--delimiter is for the named layouts; a layout file writes its own separators"));
  }
  return {o, {}};
}

namespace {

// The options of the printed number, which write and batch share.
std::string PrintedHelp() {
  // TRANSLATORS: the option names stay as they are.
  return Tr("  --check-printed     before each card, read the number printed on it (one line\n"
            "                      a card, from the terminal or --printed-from) and write\n"
            "                      the card only when it is the one expected: the card-number\n"
            "                      file's printed number, or the card number plus the offset\n"
            "  --printed-offset N  the printed number is the card number plus N (default 0)\n"
            "  --printed-from FILE the printed numbers, one a line, one line per card\n");
}

}  // namespace

// Each paragraph of the help is one text to translate; the example command
// lines stay as they are.
std::string HelpText(Command command) {
  const std::string examples = Tr("Examples:\n");
  switch (command) {
    case Command::None:
      // TRANSLATORS: COMMAND and OPTIONS stand for what is typed after the
      // program's name; the command words and option names stay as they are.
      return Tr("Usage: vandorix-card COMMAND [OPTIONS]\n") + "\n" +
             Tr("Writes and reads 125 kHz proximity cards through the card reader/writer,\n"
                "from scripts, jigs and remote machines. The same formats (HID.cfg), frames,\n"
                "verify, record and resume as the window.\n") +
             "\n" +
             // TRANSLATORS: the command words stay as they are; keep the
             // descriptions in line with each other.
             Tr("Commands:\n"
                "  ports   list the serial ports\n"
                "  link    test the link to the reader/writer\n"
                "  read    read the card on the reader; prints fc,cn\n"
                "  write   write, read back and verify one card or --count cards\n"
                "  batch   write the cards of a card-number file, entry by entry\n"
                "  identify  read the card in every format; prints each format that reads it\n"
                "  store   the shared record: init, schema, status, release\n") +
             // TRANSLATORS: "export" stays as it is; keep the description in
             // line with those of the other commands.
             Tr("  export  the credentials written, as a file an access-control system imports\n") +
             Tr("  report  the job report: one HTML page of what was written, when and where\n") + "\n" +
             // TRANSLATORS: the option names and the language codes stay as they are.
             Tr("Options for every command that works with cards:\n"
                "  --config FILE       the format file (default HID.cfg in the current folder)\n"
                "  --record FILE       append every card's outcome to the card record (CSV)\n"
                "  --json              one JSON object a line per card, the record's fields\n"
                "  --help              the command's own help\n"
                "  --language CODE     print in another language than the system's: de, fr, es,\n"
                "                      pt_BR, it, nl, pl, ru, tr, zh_CN, or en; --json stays as it is\n") +
             "\n" +
             Tr("Options of write, batch and store, for several stations on one shared record:\n"
                "  --shared-record CONNECTION\n"
                "                      an ODBC connection string, a data source (DSN=cards or\n"
                "                      cards), or @FILE for a connection string read from FILE\n"
                "  --station NAME      this station's name in it (default: the computer's name)\n"
                "  --store-wait SECONDS\n"
                "                      how long a card waits for a shared record that cannot\n"
                "                      be reached, trying every second (default 30); then exit 4\n") +
             "\n" +
             // TRANSLATORS: VX_SHARED_RECORD and --shared-record stay as they are.
             Tr("VX_SHARED_RECORD in the environment is the connection when no\n"
                "--shared-record is given: a password there is not shown to other users.\n") +
             "\n" +
             Tr("Questions (a card the record has as written) are asked at a terminal;\n"
                "elsewhere they get No.\n") +
             "\n" +
             Tr("Exit status: 0 every card written (or read) and verified; 1 a card failed;\n"
                "2 a usage, HID.cfg or card-file fault; 3 the port cannot be opened;\n"
                "4 the shared record failed (unreachable, refused, or its schema wrong);\n"
                "130 ended by Ctrl+C.\n") +
             "\n" + examples +
             "  vandorix-card ports\n"
             "  vandorix-card link --port /dev/ttyUSB0\n"
             "  vandorix-card read --port /dev/ttyUSB0 --format HID26\n"
             "  vandorix-card write --port /dev/ttyUSB0 --format HID26 --fc 12 --cn 1000 --count 3\n"
             "  vandorix-card batch --port /dev/ttyUSB0 --format HID26 --file cards.txt --record r.csv\n"
             "  vandorix-card batch --port /dev/ttyUSB0 --format HID26 --file cards.txt --shared-record cards\n"
             "  vandorix-card identify --port /dev/ttyUSB0\n";
    case Command::Store:
      // TRANSLATORS: CONNECTION, FORMAT, FC and CN stand for what is typed there.
      return Tr("Usage: vandorix-card store init --shared-record CONNECTION\n"
                "       vandorix-card store schema [--roles]\n"
                "       vandorix-card store status --shared-record CONNECTION\n"
                "       vandorix-card store release FORMAT FC CN --shared-record CONNECTION\n") +
             "\n" +
             Tr("The shared record that several stations write through, each credential\n"
                "issued once across all of them.\n") +
             "\n" +
             // TRANSLATORS: the action words and the states (reserved, unknown) stay as they are.
             Tr("  init      create its tables when they are missing, or upgrade those of an\n"
                "            older schema (as every connection does)\n"
                "  schema    print the SQL that creates them, for a database administrator;\n"
                "            with --roles, the SQL that creates the roles of a station (it\n"
                "            cannot alter vx_attempts or release) and of a supervisor\n"
                "  status    counts by state and station; every unknown credential and every\n"
                "            reservation older than an hour\n"
                "  release   free one credential (reserved or unknown) after a supervisor has\n"
                "            checked that no card holds it; a supervisor's login only, and\n"
                "            recorded in vx_attempts with --station as who released it\n") +
             "\n" +
             Tr("Exit status 4 when the shared record cannot be reached, refuses the\n"
                "connection or has the wrong tables.\n") +
             "\n" + examples +
             "  vandorix-card store status --shared-record cards\n"
             "  vandorix-card store release HID26 12 1000 --shared-record @db.txt\n";
    case Command::Ports:
      return Tr("Usage: vandorix-card ports\n") + "\n" +
             Tr("Lists the serial ports the system has, one a line: the name to give to\n"
                "--port, then what it is.\n") +
             "\n" + Tr("Example:\n") + "  vandorix-card ports\n";
    case Command::Link:
      // TRANSLATORS: PORT stands for the serial port typed there.
      return Tr("Usage: vandorix-card link --port PORT\n") + "\n" +
             // TRANSLATORS: the two quoted texts are what the program prints,
             // in the language it speaks: give them as they are translated.
             Tr("Tests the link to the reader/writer: prints \"System Link Success\" (exit 0)\n"
                "or \"System Link Fail\" (exit 1).\n") +
             "\n" + Tr("Example:\n") + "  vandorix-card link --port /dev/ttyUSB0\n";
    case Command::Read:
      return Tr("Usage: vandorix-card read --port PORT --format NAME [--config FILE]\n"
                "                          [--record FILE] [--json]\n") +
             "\n" +
             Tr("Reads the card on the reader and prints its facility code and card number\n"
                "as fc,cn. NAME is a format of HID.cfg on a tab of the window (HID24, HID26,\n"
                "HID32, HID34, HID35, HID36, HID37, HID40) or EM4100.\n") +
             "\n" + examples +
             "  vandorix-card read --port /dev/ttyUSB0 --format HID26\n"
             "  vandorix-card read --port COM3 --format EM4100 --json\n";
    case Command::Write:
      return Tr("Usage: vandorix-card write --port PORT --format NAME --fc F --cn C [--count N]\n"
                "                           [--yes] [--stop-on-failure] [--config FILE]\n"
                "                           [--record FILE] [--json] [--check-card-first]\n"
                "                           [--shared-record CONNECTION [--station NAME]]\n") +
             "\n" +
             Tr("Writes a card, reads it back and verifies it. With --count N, writes N cards,\n"
                "the card number stepping by one after each good card; a failed card leaves\n"
                "its numbers for the next card, as in the window. Between cards it asks for\n"
                "the next card when standard input is a terminal.\n") +
             "\n" +
             Tr("  --count N           cards to write (default 1)\n"
                "  --yes               go on to the next card without asking (a jig or a feeder)\n"
                "  --stop-on-failure   end at the first failed card\n"
                "  --check-card-first  read the card on the reader first: the card just written\n"
                "                      is refused, one the record has as written is asked about\n"
                "  --shared-record CONNECTION, --station NAME, --store-wait SECONDS\n"
                "                      write through the shared record (see vandorix-card --help)\n") +
             "\n" + PrintedHelp() + "\n" + examples +
             "  vandorix-card write --port /dev/ttyUSB0 --format HID26 --fc 12 --cn 1000\n"
             "  vandorix-card write --port /dev/ttyUSB0 --format HID26 --fc 12 --cn 1000 \\\n"
             "      --count 3 --yes --record r.csv\n";
    case Command::Batch:
      return Tr("Usage: vandorix-card batch --port PORT --format NAME --file CARDS [--resume]\n"
                "                           [--yes] [--stop-on-failure] [--config FILE]\n"
                "                           [--record FILE] [--json] [--check-card-first]\n"
                "                           [--shared-record CONNECTION [--station NAME]]\n") +
             "\n" +
             // TRANSLATORS: "Use Database" is the window's check box, as it is
             // translated there.
             Tr("Writes the cards of a card-number file (lines of fc,cn) entry by entry, as\n"
                "\"Use Database\" does: each card written, read back and verified; a failed\n"
                "card leaves its entry for the next card. A run makes one attempt for every\n"
                "entry left; what is still to write shows in the summary, and --resume\n"
                "carries on from there.\n") +
             "\n" +
             Tr("  --resume            continue after the last entry the record shows written\n"
                "                      (needs --record)\n"
                "  --yes               go on to the next card without asking\n"
                "  --stop-on-failure   end at the first failed card\n"
                "  --check-card-first  read the card on the reader first, as in write\n"
                "  --shared-record CONNECTION, --station NAME, --store-wait SECONDS\n"
                "                      write through the shared record: entries written or being\n"
                "                      written at other stations are passed over\n") +
             "\n" + PrintedHelp() + "\n" + examples +
             "  vandorix-card batch --port /dev/ttyUSB0 --format HID26 --file cards.txt \\\n"
             "      --record r.csv --yes\n"
             "  vandorix-card batch --port /dev/ttyUSB0 --format HID26 --file cards.txt \\\n"
             "      --record r.csv --yes --resume\n";
    case Command::Export:
      // TRANSLATORS: FILE, CONNECTION and OPTIONS stand for what is typed there.
      return Tr("Usage: vandorix-card export --record FILE [--record FILE ...] [OPTIONS]\n"
                "       vandorix-card export --shared-record CONNECTION [OPTIONS]\n") +
             "\n" +
             Tr("Writes a line for each credential the records have as written, as a file\n"
                "for an access-control system to import: each credential once, in the order\n"
                "written. One whose last attempt failed is left out; one written again goes\n"
                "by its last write, its source, station and day.\n") +
             "\n" +
             // TRANSLATORS: the option names, the layout, form and delimiter
             // names, the column names and typed stay as they are.
             Tr("  --record FILE       a card record; several are listed together\n"
                "  --shared-record CONNECTION\n"
                "                      the shared record (VX_SHARED_RECORD when no --record)\n"
                "  --source CARDFILE   only the cards from that card-number file (or: typed)\n"
                "  --station NAME      only the cards written at that station (shared record)\n"
                "  --since DAY, --until DAY\n"
                "                      only the cards written from, or up to, DAY (YYYY-MM-DD)\n"
                "  --format NAME       only the cards of that format\n"
                "  --layout NAME       plain (the default): a header, then format,fc,cn,printed\n"
                "                      camel: the header cardFormat,facilityCode,cardNumber,\n"
                "                      externalNumber; pair: 12:1000; columns: 12,1000\n"
                "  --layout @FILE      the site's own layout file (see the README)\n"
                "  --em4100 FORM       how EM4100 numbers are written: hex10 (the default,\n"
                "                      0CCE0A6A14), dez10 (3456789012), dez8 (00682516) or\n"
                "                      w26 (010,27156)\n"
                "  --delimiter NAME    comma (the default), semicolon or tab, in a named layout\n"
                "  --bom               a UTF-8 byte-order mark first, for spreadsheets\n"
                "  --output FILE       the file, written whole or not at all (default: standard\n"
                "                      output)\n") +
             "\n" +
             Tr("Exit status: 0 credentials listed; 1 none to list; 2 a usage, record or\n"
                "layout fault, or the file cannot be written; 4 the shared record failed.\n") +
             "\n" + examples +
             "  vandorix-card export --record r.csv --layout camel --output import.csv\n"
             "  vandorix-card export --record desk1.csv --record desk2.csv --em4100 dez8 --bom\n"
             "  vandorix-card export --shared-record @db.txt --since 2026-12-01 \\\n"
             "      --layout @site.layout --output import.csv\n";
    case Command::Report:
      return Tr("Usage: vandorix-card report --record FILE [--record FILE ...] [OPTIONS]\n"
                "       vandorix-card report --shared-record CONNECTION [OPTIONS]\n") +
             "\n" +
             Tr("Writes the job report: one HTML page, in the language the program speaks,\n"
                "of the cards written, their counts, when and where, a chart and the list.\n") +
             "\n" +
             // TRANSLATORS: the option names stay as they are.
             Tr("The options --record, --shared-record, --source, --station, --since, --until\n"
                "and --format choose the cards as in export; --output FILE names the page.\n") +
             "\n" + examples +
             "  vandorix-card report --record r.csv --output job.html\n"
             "  vandorix-card report --shared-record @db.txt --station DESK-2 --since 2026-12-01 \\\n"
             "      --output job.html\n";
    case Command::Identify:
      return Tr("Usage: vandorix-card identify --port PORT [--config FILE] [--json]\n") + "\n" +
             // TRANSLATORS: "HID26: 12,1000" and "EM4100: 12,3456789012 (ID
             // 0CCE0A6A14)" are lines the command prints, in the language it speaks.
             Tr("Reads the card on the reader in the layout of every format HID.cfg defines\n"
                "for a tab of the window, in the tabs' order, then as EM4100, and prints one\n"
                "line for each format that reads it: HID26: 12,1000, or for EM4100 also the\n"
                "card's 10-digit ID, EM4100: 12,3456789012 (ID 0CCE0A6A14). Several lines\n"
                "mean several formats read the card: ask which format the site uses.\n") +
             "\n" +
             Tr("  --json              one JSON object a line for each format, the record's fields\n") + "\n" +
             Tr("Exit status: 0 at least one format read the card; 1 none did; 3 the port\n"
                "cannot be opened.\n") +
             "\n" + examples +
             "  vandorix-card identify --port /dev/ttyUSB0\n"
             "  vandorix-card identify --port COM3 --config site.cfg --json\n";
  }
  return {};
}

}  // namespace vx::cli
