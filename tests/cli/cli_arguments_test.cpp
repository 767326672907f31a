// The command line of vandorix-card, as one table: what each line of
// arguments asks for, or what is wrong with it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_arguments.h"

namespace {

using vx::cli::Command;
using vx::cli::Options;

Options Make(Command command, void (*fill)(Options&) = nullptr) {
  Options o;
  o.command = command;
  if (fill) fill(o);
  return o;
}

struct Row {
  std::vector<std::string> args;
  Options expected;   // when error is empty
  std::string error;  // a text the error must hold
  std::string variable = {};  // VX_SHARED_RECORD in the environment
};

const std::vector<Row> kRows = {
    {{"write", "--port", "/dev/ttyUSB0", "--format", "hid26", "--fc", "12", "--cn", "1000", "--count", "3", "--yes",
      "--record", "r.csv", "--json", "--stop-on-failure"},
     Make(Command::Write,
          [](Options& o) {
            o.port = "/dev/ttyUSB0";
            o.format = "HID26";
            o.fc = "12";
            o.cn = "1000";
            o.count = 3;
            o.yes = o.json = o.stopOnFailure = true;
            o.record = "r.csv";
          }),
     ""},
    {{"batch", "--port=COM3", "--format=em4100", "--file=cards.txt", "--record=r.csv", "--resume", "--config=my.cfg",
      "--check-card-first"},
     Make(Command::Batch,
          [](Options& o) {
            o.port = "COM3";
            o.format = "EM4100";
            o.file = "cards.txt";
            o.record = "r.csv";
            o.resume = o.checkCardFirst = true;
            o.config = "my.cfg";
          }),
     ""},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "12", "--cn", "1000", "--shared-record",
      "Driver={PostgreSQL Unicode};Server=db1;Pwd=x", "--station", "O'Brien's desk", "--store-wait", "0"},
     Make(Command::Write,
          [](Options& o) {
            o.port = "COM3";
            o.format = "HID26";
            o.fc = "12";
            o.cn = "1000";
            o.sharedRecord = "Driver={PostgreSQL Unicode};Server=db1;Pwd=x";
            o.station = "O'Brien's desk";
            o.storeWait = 0;
          }),
     ""},
    {{"batch", "--port=COM3", "--format=HID26", "--file=cards.txt", "--shared-record=@db.txt"},
     Make(Command::Batch,
          [](Options& o) {
            o.port = "COM3";
            o.format = "HID26";
            o.file = "cards.txt";
            o.sharedRecord = "@db.txt";
          }),
     ""},
    {{"store", "init", "--shared-record", "cards", "--station", "DESK-1"},
     Make(Command::Store,
          [](Options& o) {
            o.storeAction = vx::cli::StoreAction::Init;
            o.sharedRecord = "cards";
            o.station = "DESK-1";
          }),
     ""},
    {{"store", "schema"}, Make(Command::Store, [](Options& o) { o.storeAction = vx::cli::StoreAction::Schema; }), ""},
    {{"store", "schema", "--roles"}, Make(Command::Store, [](Options& o) {
       o.storeAction = vx::cli::StoreAction::Schema;
       o.roles = true;
     }), ""},
    {{"store", "status", "--roles", "--shared-record", "cards"}, {}, "--roles is an option of store schema only"},
    {{"store", "release", "hid26", "12", "1000", "--shared-record", "cards"},
     Make(Command::Store,
          [](Options& o) {
            o.storeAction = vx::cli::StoreAction::Release;
            o.format = "HID26";
            o.fc = "12";
            o.cn = "1000";
            o.sharedRecord = "cards";
          }),
     ""},
    {{"store"}, {}, "store needs an action: init, schema, status or release"},
    {{"store", "drop", "--shared-record", "cards"}, {}, "no store action \"drop\""},
    {{"store", "status"}, {}, "store needs --shared-record"},
    {{"store", "release", "HID26", "12", "--shared-record", "cards"}, {}, "store release needs FC and CN"},
    {{"store", "release", "HID26", "12"}, {}, "store release needs FORMAT FC CN"},
    {{"store", "release", "HID99", "12", "1000", "--shared-record", "cards"}, {}, "no format \"HID99\""},
    {{"store", "status", "--shared-record", "cards", "--port", "COM3"}, {}, "--port is not an option of store"},
    {{"read", "--port", "COM3", "--format", "HID26", "--shared-record", "cards"}, {},
     "--shared-record is not an option of read"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1", "--cn", "1", "--station", "DESK-1"}, {},
     "--station needs --shared-record"},
    // The station's name is held to its rule (its own table) and goes by its trimmed form.
    {{"store", "status", "--shared-record", "cards", "--station", "  DESK-1\t"},
     Make(Command::Store,
          [](Options& o) {
            o.storeAction = vx::cli::StoreAction::Status;
            o.sharedRecord = "cards";
            o.station = "DESK-1";
          }),
     ""},
    {{"store", "status", "--shared-record", "cards", "--station", " "}, {}, "--station: the name is blank"},
    {{"store", "status", "--shared-record", "cards", "--station", "DESK\x1b]0;owned\x07"}, {},
     "--station: the name holds a control character, U+001B, at character 5"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1", "--cn", "1", "--shared-record", "cards",
      "--store-wait", "soon"},
     {}, "--store-wait needs a number of seconds"},
    {{"batch", "--port", "COM3", "--format", "HID26", "--file", "cards.txt", "--check-printed", "--printed-offset",
      "5000", "--printed-from", "printed.txt"},
     Make(Command::Batch,
          [](Options& o) {
            o.port = "COM3";
            o.format = "HID26";
            o.file = "cards.txt";
            o.checkPrinted = true;
            o.printedOffset = "5000";
            o.printedFrom = "printed.txt";
          }),
     ""},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1", "--cn", "1", "--printed-offset", "5"}, {},
     "--printed-offset needs --check-printed"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1", "--cn", "1", "--printed-from", "p.txt"}, {},
     "--printed-from needs --check-printed"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1", "--cn", "1", "--check-printed",
      "--printed-offset", "-5"}, {}, "--printed-offset needs a whole decimal number"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1", "--cn", "1", "--check-printed",
      "--printed-offset", "12345678901"}, {}, "at most 10 digits"},
    {{"read", "--port", "COM3", "--format", "HID26", "--check-printed"}, {}, "--check-printed is not an option of read"},
    {{"ports"}, Make(Command::Ports), ""},
    {{"identify", "--port", "COM3", "--config", "site.cfg", "--json"},
     Make(Command::Identify,
          [](Options& o) {
            o.port = "COM3";
            o.config = "site.cfg";
            o.json = true;
          }),
     ""},
    {{"identify"}, {}, "identify needs --port"},
    {{"identify", "--port", "COM3", "--format", "HID26"}, {}, "--format is not an option of identify"},
    {{"--help"}, Make(Command::None, [](Options& o) { o.help = true; }), ""},
    {{"write", "--help"}, Make(Command::Write, [](Options& o) { o.help = true; }), ""},
    {{}, {}, "no command given"},
    {{"erase"}, {}, "no command \"erase\""},
    {{"--port", "COM3"}, {}, "give a command before --port"},
    {{"link"}, {}, "link needs --port"},
    {{"read", "--port", "COM3"}, {}, "read needs --format"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1"}, {}, "write needs --cn"},
    {{"batch", "--port", "COM3", "--format", "HID26"}, {}, "batch needs --file"},
    {{"read", "--port", "COM3", "--format", "HID26", "--fc", "1"}, {}, "--fc is not an option of read"},
    {{"ports", "--port", "COM3"}, {}, "--port is not an option of ports"},
    {{"read", "--port", "COM3", "--format", "HID99"}, {}, "no format \"HID99\"; the formats are HID24,"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "-1", "--cn", "1"}, {}, "--fc needs a whole decimal"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1", "--cn", "1e3"}, {}, "--cn needs a whole decimal"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1", "--cn", "1", "--count", "0"}, {}, "--count needs"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1", "--cn", "1", "--count", "10002"}, {}, "--count needs"},
    {{"batch", "--port", "COM3", "--format", "HID26", "--file", "c.txt", "--resume"}, {}, "--resume needs --record"},
    {{"link", "--port", "COM3", "--port", "COM4"}, {}, "--port is given twice"},
    {{"link", "--port"}, {}, "--port needs a value"},
    {{"link", "--port="}, {}, "--port needs a value"},
    {{"write", "--yes=1"}, {}, "--yes takes no value"},
    {{"link", "--colour"}, {}, "no option \"--colour\""},
    {{"link", "COM3"}, {}, "unexpected argument \"COM3\""},
    {{"link", "--port", "COM3", "--language", "fr"},
     Make(Command::Link,
          [](Options& o) {
            o.port = "COM3";
            o.language = "fr";
          }),
     ""},
    {{"--language=de_DE.UTF-8", "--help"},
     Make(Command::None,
          [](Options& o) {
            o.help = true;
            o.language = "de_DE.UTF-8";
          }),
     ""},
    {{"--language", "fr", "link", "--port", "COM3"},
     Make(Command::Link,
          [](Options& o) {
            o.port = "COM3";
            o.language = "fr";
          }),
     ""},
    {{"--language", "fr", "link", "--port", "COM3", "--language", "de"}, {}, "--language is given twice"},
    {{"--language", "de"}, {}, "no command given"},
    {{"ports", "--language"}, {}, "--language needs a value"},
    // VX_SHARED_RECORD stands in for --shared-record where it is an option
    // and not given, and for nothing else.
    {{"store", "status"},
     Make(Command::Store,
          [](Options& o) {
            o.storeAction = vx::cli::StoreAction::Status;
            o.sharedRecord = "DSN=cards;Pwd=x";
          }),
     "",
     "DSN=cards;Pwd=x"},
    {{"store", "status", "--shared-record", "DSN=a"},
     Make(Command::Store,
          [](Options& o) {
            o.storeAction = vx::cli::StoreAction::Status;
            o.sharedRecord = "DSN=a";
          }),
     "",
     "DSN=b"},
    {{"store", "schema"}, Make(Command::Store, [](Options& o) { o.storeAction = vx::cli::StoreAction::Schema; }), "",
     "DSN=b"},
    {{"link", "--port", "COM3"}, Make(Command::Link, [](Options& o) { o.port = "COM3"; }), "", "DSN=b"},
    // export: several records, what narrows them, and how the file is written.
    {{"export", "--record", "a.csv", "--record=b.csv", "--source", "cards.txt", "--since", "2026-12-01", "--until",
      "2026-12-31", "--format", "em4100", "--layout", "CAMEL", "--em4100", "W26", "--delimiter", "Semicolon", "--bom",
      "--output", "import.csv"},
     Make(Command::Export,
          [](Options& o) {
            o.records = {"a.csv", "b.csv"};
            o.source = "cards.txt";
            o.since = "2026-12-01";
            o.until = "2026-12-31";
            o.format = "EM4100";
            o.layout = "camel";
            o.em4100 = "w26";
            o.delimiter = "semicolon";
            o.byteOrderMark = true;
            o.output = "import.csv";
          }),
     ""},
    {{"export", "--shared-record", "cards", "--station", "DESK-1", "--layout", "@site.layout"},
     Make(Command::Export,
          [](Options& o) {
            o.sharedRecord = "cards";
            o.station = "DESK-1";
            o.layout = "@site.layout";
          }),
     ""},
    {{"export"}, Make(Command::Export, [](Options& o) { o.sharedRecord = "DSN=b"; }), "", "DSN=b"},
    {{"export", "--record", "r.csv"}, Make(Command::Export, [](Options& o) { o.records = {"r.csv"}; }), "", "DSN=b"},
    {{"export"}, {}, "export needs --record FILE or --shared-record"},
    {{"export", "--record", "r.csv", "--station", "DESK-1"}, {}, "--station needs --shared-record"},
    {{"export", "--record", "r.csv", "--since", "2026-02-30"}, {}, "--since needs a day as YYYY-MM-DD, not \"2026-02-30\""},
    {{"export", "--record", "r.csv", "--until", "1.12.2026"}, {}, "--until needs a day as YYYY-MM-DD"},
    {{"export", "--record", "r.csv", "--since", "2026-12-02", "--until", "2026-12-01"}, {},
     "--since 2026-12-02 is after --until 2026-12-01"},
    {{"export", "--record", "r.csv", "--layout", "grid"}, {},
     "no layout \"grid\"; the layouts are plain, camel, pair or columns, or @FILE"},
    {{"export", "--record", "r.csv", "--layout", "@"}, {}, "--layout @FILE needs a value"},
    {{"export", "--record", "r.csv", "--em4100", "dez9"}, {}, "--em4100 takes hex10, dez10, dez8 or w26, not \"dez9\""},
    {{"export", "--record", "r.csv", "--delimiter", "pipe"}, {}, "--delimiter takes comma, semicolon or tab, not \"pipe\""},
    {{"export", "--record", "r.csv", "--layout", "@site.layout", "--delimiter", "tab"}, {},
     "--delimiter is for the named layouts"},
    {{"export", "--record", "r.csv", "--output", "a.csv", "--output", "b.csv"}, {}, "--output is given twice"},
    {{"export", "--record", "r.csv", "--port", "COM3"}, {}, "--port is not an option of export"},
    {{"write", "--port", "COM3", "--format", "HID26", "--fc", "1", "--cn", "1", "--bom"}, {},
     "--bom is not an option of write"},
};

TEST(CardCommandLine, ParsesOrSaysWhatIsWrong) {
  for (const Row& row : kRows) {
    std::string line;
    for (const std::string& arg : row.args) line += arg + " ";
    const vx::cli::ParseResult result = vx::cli::ParseArguments(row.args, row.variable);
    if (row.error.empty()) {
      ASSERT_TRUE(result.options) << line << ": " << result.error;
      EXPECT_TRUE(*result.options == row.expected) << line;
    } else {
      EXPECT_FALSE(result.options) << line;
      EXPECT_NE(result.error.find(row.error), std::string::npos) << line << ": " << result.error;
    }
  }
}

}  // namespace
