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
    {{"ports"}, Make(Command::Ports), ""},
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
    {{"--language", "de"}, {}, "no command given"},
    {{"ports", "--language"}, {}, "--language needs a value"},
};

TEST(CardCommandLine, ParsesOrSaysWhatIsWrong) {
  for (const Row& row : kRows) {
    std::string line;
    for (const std::string& arg : row.args) line += arg + " ";
    const vx::cli::ParseResult result = vx::cli::ParseArguments(row.args);
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
