#include "program/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "program/check_config.h"
#include "support/temp_file.h"

namespace vx {
namespace {

using Action = CommandLine::Action;

struct ParseCase {
  std::vector<std::string> args;
  Action action;
  std::optional<std::string> port;
  std::string configFile;
  std::optional<std::string> simulate;
  bool userFolder = false;
  std::optional<std::string> sharedRecord = {};
  std::optional<std::string> station = {};
  std::string language = {};
};

TEST(CommandLineTest, Parses) {
  const ParseCase cases[] = {
      {{}, Action::Run, std::nullopt, "HID.cfg", std::nullopt},
      {{"--port", "COM3"}, Action::Run, "COM3", "HID.cfg", std::nullopt},
      {{"--port=/dev/pts/4"}, Action::Run, "/dev/pts/4", "HID.cfg", std::nullopt},
      {{"--check-config"}, Action::CheckConfig, std::nullopt, "HID.cfg", std::nullopt},
      {{"--check-config", "other.cfg"}, Action::CheckConfig, std::nullopt, "other.cfg", std::nullopt},
      {{"--check-config", "--port", "5"}, Action::CheckConfig, "5", "HID.cfg", std::nullopt},
      {{"--check-config=x.cfg"}, Action::CheckConfig, std::nullopt, "x.cfg", std::nullopt},
      {{"--simulate"}, Action::Run, std::nullopt, "HID.cfg", ""},
      {{"--simulate=silent"}, Action::Run, std::nullopt, "HID.cfg", "silent"},
      {{"--port", "2", "--help"}, Action::Help, "2", "HID.cfg", std::nullopt},
      {{"--version"}, Action::Version, std::nullopt, "HID.cfg", std::nullopt},
      {{"--list-ports"}, Action::ListPorts, std::nullopt, "HID.cfg", std::nullopt},
      {{"--port"}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--port="}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--check-config="}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--bogus"}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--simulate=split,bogus"}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--simulate=Split, garbage"}, Action::Run, std::nullopt, "HID.cfg", "Split, garbage"},
      {{"--user-folder"}, Action::Run, std::nullopt, "HID.cfg", std::nullopt, true},
      {{"--user-folder", "--simulate", "--port", "3"}, Action::Run, "3", "HID.cfg", "", true},
      {{"--check-config", "--user-folder"}, Action::CheckConfig, std::nullopt, "HID.cfg", std::nullopt, true},
      {{"--shared-record", "Driver={PostgreSQL Unicode};Server=db1;Pwd=x", "--station", "O'Brien's desk"},
       Action::Run, std::nullopt, "HID.cfg", std::nullopt, false, "Driver={PostgreSQL Unicode};Server=db1;Pwd=x",
       "O'Brien's desk"},
      {{"--shared-record=@db.txt", "--station=DESK-2"}, Action::Run, std::nullopt, "HID.cfg", std::nullopt, false,
       "@db.txt", "DESK-2"},
      {{"--shared-record"}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--station="}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      // The station's name is held to its rule (its own table) and goes by its trimmed form.
      {{"--station", " DESK-2 "}, Action::Run, std::nullopt, "HID.cfg", std::nullopt, false, {}, "DESK-2"},
      {{"--station= "}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--station", "caf\xe9"}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      // The window script's steps belong to the developer tool, not to the shipped program.
      {{"--click", "Command12"}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--type", "Text3=18"}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--screenshot", "window.png"}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"HID.cfg"}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--language", "de"}, Action::Run, std::nullopt, "HID.cfg", std::nullopt, false, {}, {}, "de"},
      {{"--language=pt_BR", "--check-config"}, Action::CheckConfig, std::nullopt, "HID.cfg", std::nullopt, false, {}, {}, "pt_BR"},
      {{"--language"}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
      {{"--language="}, Action::Error, std::nullopt, "HID.cfg", std::nullopt},
  };
  for (const ParseCase& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + ' ';
    SCOPED_TRACE(joined);
    const CommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.action, c.action);
    if (c.action == Action::Error) {
      EXPECT_FALSE(line.error.empty());
      continue;
    }
    EXPECT_EQ(line.port, c.port);
    EXPECT_EQ(line.configFile, c.configFile);
    EXPECT_EQ(line.simulate, c.simulate);
    EXPECT_EQ(line.userFolder, c.userFolder);
    EXPECT_EQ(line.sharedRecord, c.sharedRecord);
    EXPECT_EQ(line.station, c.station);
    EXPECT_EQ(line.language, c.language);
  }
}

// --help lists exactly the options the program takes: each one it names is
// accepted, and none of the developer tool's.
TEST(CommandLineTest, HelpListsWhatIsAccepted) {
  const std::string help = UsageText("vandorix-programmer");
  const std::vector<std::vector<std::string>> offered = {
      {"--port", "1"}, {"--check-config"}, {"--simulate"}, {"--user-folder"},
      {"--list-ports"}, {"--help"},        {"--version"},      {"--shared-record", "cards"},
      {"--station", "DESK-1"}, {"--language", "de"}};
  for (const auto& args : offered) {
    SCOPED_TRACE(args[0]);
    EXPECT_NE(help.find("  " + args[0]), std::string::npos);
    EXPECT_NE(ParseCommandLine(args).action, Action::Error);
  }
  std::size_t listed = 0;
  for (std::size_t at = help.find("\n  --"); at != std::string::npos; at = help.find("\n  --", at + 1)) ++listed;
  EXPECT_EQ(listed, offered.size());
  for (const char* hidden : {"--click", "--type", "--screenshot"}) EXPECT_EQ(help.find(hidden), std::string::npos);
}

TEST(CheckConfigTest, RowLineIsPlainDecimal) {
  FormatRow row;
  row.FormatName = "HID40";
  row.FcBits = 30;
  row.CnBits = 32;
  row.ParamY = 2;
  row.ParamZ = 10;
  row.FcMax = 1073741823;
  row.CnMax = 4294967295.0;
  EXPECT_EQ(FormatRowLine(7, row), "7 HID40 WW=30 XX=32 YY=2 ZZ=10 FcMax=1073741823 CnMax=4294967295");
}

TEST(CheckConfigTest, MissingFileIsAFault) {
  std::ostringstream out, err;
  EXPECT_EQ(RunCheckConfig("no such directory/HID.cfg", out, err), 1);
  EXPECT_TRUE(out.str().empty());
  EXPECT_NE(err.str().find("HID.cfg"), std::string::npos);
}

// The tabs that would refuse to write are named, a byte-order mark hides no line.
TEST(CheckConfigTest, ListsTheTabsWhoseFormatIsMissing) {
  const test::TempFile file("\xEF\xBB\xBFHID26 WW=08 XX=16\r\nHID34 WW=16 XX=16\r\n", "HID.cfg");
  std::ostringstream out, err;
  EXPECT_EQ(RunCheckConfig(file.path(), out, err), 0);
  const std::string text = out.str();
  EXPECT_EQ(text.find("0 HID26 WW=8 XX=16"), 0u) << text;
  for (const char* missing : {"HID24", "HID32", "HID35", "HID36", "HID37", "HID40"})
    EXPECT_NE(text.find("Missing: " + file.path() + " has no " + missing), std::string::npos) << missing;
  for (const char* present : {"no HID26", "no HID34", "EM4100"}) EXPECT_EQ(text.find(present), std::string::npos);
}

}  // namespace
}  // namespace vx
