#pragma once
// The command line of vandorix-card: which command, and its options, checked
// before anything touches a port or a file.

#include <optional>
#include <string>
#include <vector>

namespace vx::cli {

enum class Command { None, Ports, Link, Read, Write, Batch, Identify, Store, Export, Report };

// export and report: they list what records hold, chosen by the same options.
constexpr bool ListsRecords(Command command) { return command == Command::Export || command == Command::Report; }

// What `store` does: create the tables, print their SQL, show the counts, free one credential.
enum class StoreAction { None, Init, Schema, Status, Release };

// The program's exit statuses.
inline constexpr int kExitOk = 0;            // every card written (or read) and verified; identify: a format read it
inline constexpr int kExitCardFailed = 1;    // a card failed; identify: no format read it; export: nothing to list
inline constexpr int kExitUsage = 2;         // the command line, the format file, a card file, a record or a layout is at fault
inline constexpr int kExitPort = 3;          // the port cannot be opened
inline constexpr int kExitSharedRecord = 4;  // the shared record failed: unreachable, refused, or its schema wrong
inline constexpr int kExitInterrupted = 130; // ended by Ctrl+C

// The most cards one `write --count` asks for: a card list's capacity.
inline constexpr int kMaxCount = 10001;

struct Options {
  Command command = Command::None;
  bool help = false;         // --help: the command's help (or the program's, with no command)
  std::string port;
  std::string format;        // upper case: HID24 .. HID40, EM4100
  std::string config = "HID.cfg";
  std::string record;        // empty: no record
  std::string file;          // batch: the card-number file
  std::string fc, cn;        // write, store release: decimal texts (store release: format too)
  int count = 1;
  bool yes = false;
  bool resume = false;
  bool checkCardFirst = false;
  bool checkPrinted = false;     // --check-printed: the card's printed number checked before each write
  std::string printedOffset;     // --printed-offset: digits; empty for 0
  std::string printedFrom;       // --printed-from: the printed numbers, one a line; empty: the terminal
  bool json = false;
  bool stopOnFailure = false;
  std::string sharedRecord;  // empty: no shared record
  std::string station;       // empty: the computer's name
  int storeWait = 30;        // seconds a card waits for a shared record that cannot be reached
  StoreAction storeAction = StoreAction::None;
  bool roles = false;        // store schema --roles: the SQL of the database roles, not the tables
  std::string language;      // --language CODE; empty for the system's
  // export: what is listed, and how
  std::vector<std::string> records;  // every --record, in the order given
  std::string source;        // a card-number file as given, or "typed"
  std::string since, until;  // days as YYYY-MM-DD
  std::string layout = "plain";  // a named layout (lower case), or @FILE
  std::string em4100 = "hex10";  // lower case
  std::string delimiter = "comma";
  bool byteOrderMark = false;
  std::string output;        // empty: standard output

  bool operator==(const Options&) const = default;
};

struct ParseResult {
  std::optional<Options> options;
  std::string error;  // what is wrong, naming the argument; empty when options is set
};

// `arguments` are those after the program's name. `sharedRecordVariable` is
// VX_SHARED_RECORD from the environment: the connection of a command that
// takes --shared-record when none is given, so that a password need not sit
// on the command line, where every user of the computer can see it.
ParseResult ParseArguments(const std::vector<std::string>& arguments, const std::string& sharedRecordVariable = {});

// The help text: the program's with Command::None, else the command's.
std::string HelpText(Command command);

}  // namespace vx::cli
