// vandorix-card run as a person or a script runs it, against the simulated
// reader/writer on a pseudo-terminal: what it prints, its exit status, and the
// record it leaves, Ctrl+C and a resumed batch among them.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "record/record_line.h"
#include "sim/faults.h"
#include "sim/pty_server_posix.h"
#include "store/station_lock.h"
#include "store/store_connection.h"
#include "support/temp_file.h"

namespace {

// When the test presses Ctrl+C (SIGINT) or pulls the plug (SIGKILL).
struct Interrupt {
  enum class After { Never, CardLines, DeviceFrames };
  After after = After::Never;
  int count = 0;
  std::vector<int> signals;
};

struct ProgramRun {
  std::vector<std::string> args;  // "{port}" stands for the simulator's port
  Interrupt interrupt;
  int exitStatus;                 // -SIGKILL: killed
  std::vector<std::string> out;   // standard output, line by line
  std::string has = {};           // a text the output (either stream) must hold; empty: no demand
};

struct Case {
  const char* name;
  const char* faults;
  std::vector<ProgramRun> runs;
  // Each line of the record at the end: "fc,cn outcome".
  std::vector<std::string> record;
  std::string printedFile = {};  // printed.txt beside the card-number file, for --printed-from
  const char* cards = nullptr;   // cards.txt; the four entries 12,2001 to 12,2004 when null
};

const char* const kCards = "12,2001\n12,2002\n12,2003\n12,2004\n";
const Interrupt kNone{};

const std::vector<std::string> kWriteThree = {"write", "--port", "{port}", "--format", "HID26", "--fc", "12",
                                              "--cn", "1000", "--count", "3", "--yes", "--record", "r.csv"};
const std::vector<std::string> kBatch = {"batch", "--port", "{port}", "--format", "HID26", "--file", "cards.txt",
                                         "--yes", "--record", "r.csv"};
const std::vector<std::string> kWriteOne = {"write", "--port", "{port}", "--format", "HID26", "--fc", "12", "--cn",
                                            "1000"};
std::vector<std::string> With(std::vector<std::string> args, const std::string& more) {
  args.push_back(more);
  return args;
}

const std::vector<Case> kCases = {
    {"WriteThreeCards", "",
     {{kWriteThree, kNone, 0,
       {"card 1 of 3: \u2714 Written and verified: 12,1000", "card 2 of 3: \u2714 Written and verified: 12,1001",
        "card 3 of 3: \u2714 Written and verified: 12,1002",
        "Batch complete: 3 written, no failed attempts along the way"}}},
     {"12,1000 written", "12,1001 written", "12,1002 written"}},
    {"ReadTheCardInTheField", "",
     {{{"read", "--port", "{port}", "--format", "EM4100", "--record", "r.csv"}, kNone, 0, {"1,1"}}},
     {", read"}},
    {"LinkAnswered", "", {{{"link", "--port", "{port}"}, kNone, 0, {"System Link Success"}}}, {}},
    {"LinkUnanswered", "silent", {{{"link", "--port", "{port}"}, kNone, 1, {"System Link Fail"}}}, {}},
    {"WriteRefusedCountsAsFailed", "refuse",
     {{{"write", "--port", "{port}", "--format", "HID26", "--fc", "12", "--cn", "5", "--record", "r.csv"}, kNone, 1,
       {"\u2718 Not written: no answer from the reader/writer"}}},
     {"12,5 no acknowledgement"}},
    {"CardHoldsOtherNumbersAsJson", "corrupt",
     {{{"write", "--port", "{port}", "--format", "HID26", "--fc", "12", "--cn", "5", "--json", "--record", "r.csv"},
       kNone, 1, {}, "\"card_number\":\"5\",\"source\":\"typed\",\"entry\":0,\"outcome\":\"verify failed\","
                     "\"read_facility_code\":\"12\",\"read_card_number\":\"6\"}"}},
     {"12,5 verify failed"}},
    {"VerifyFailureIsAFailedCard", "corrupt",
     {{{"write", "--port", "{port}", "--format", "HID26", "--fc", "12", "--cn", "5"}, kNone, 1,
       {"\u2718 Verify failed: the card holds 12,6, not 12,5"}}},
     {}},
    {"IdentifyA26BitCard", "",
     {{kWriteOne, kNone, 0, {"\u2714 Written and verified: 12,1000"}},
      {{"identify", "--port", "{port}"}, kNone, 0, {"HID26: 12,1000"}}},
     {}},
    {"IdentifyTheEm4100CardAsJson", "",
     {{{"identify", "--port", "{port}", "--json"}, kNone, 0, {},
       "\"tab\":\"EM4100\",\"format\":\"EM4100\",\"fc_bits\":0,\"cn_bits\":0,\"param_y\":0,\"param_z\":0,"
       "\"facility_code\":\"\",\"card_number\":\"\",\"source\":\"typed\",\"entry\":0,\"outcome\":\"read\","
       "\"read_facility_code\":\"1\",\"read_card_number\":\"1\"}"}},
     {}},
    // A device that ignores the layout: every HID format reads the card, and none is chosen.
    {"IdentifyOnADeviceThatIgnoresTheLayout", "anylayout",
     {{kWriteOne, kNone, 0, {"\u2714 Written and verified: 12,1000"}},
      {{"identify", "--port", "{port}"}, kNone, 0,
       {"HID26: 12,1000", "HID32: 12,1000", "HID34: 12,1000", "HID35: 12,1000", "HID36: 12,1000", "HID37: 12,1000",
        "HID40: 12,1000", "HID24: 12,1000"},
       "Reads as 8 formats: HID26 12,1000 or HID32 12,1000"}},
     {}},
    {"IdentifyNoFormatReadsTheCard", "nocard",
     {{{"identify", "--port", "{port}"}, kNone, 1, {}, "No format reads this card"}},
     {}},
    {"PortThatDoesNotExist", "",
     {{{"write", "--port", "/dev/vx-no-such-port", "--format", "HID26", "--fc", "1", "--cn", "1"}, kNone, 3, {},
       "/dev/vx-no-such-port"}},
     {}},
    {"FormatFileMissing", "",
     {{{"read", "--port", "{port}", "--format", "HID26", "--config", "none.cfg"}, kNone, 2, {}, "none.cfg"}},
     {}},
    {"OutOfRangeSendsNothing", "",
     {{{"write", "--port", "{port}", "--format", "HID26", "--fc", "256", "--cn", "1", "--record", "r.csv"}, kNone, 2,
       {}, "Facility Code is Error!"}},
     {}},
    {"CheckCardFirstRefusesTheCardJustWritten", "",
     {{With(kWriteThree, "--check-card-first"), kNone, 1,
       {"card 1 of 3: \u2714 Written and verified: 12,1000",
        "Batch not complete: 1 written, no failed attempts along the way; 2 of 3 cards not written"},
       "This card was just written as 12,1000"}},
     {"12,1000 written"}},
    // A card-number file with printed numbers: entry 2's fob is handed out of
    // order and refused with nothing sent, the next attempt takes entry 2
    // again with the right one. Then what was written, as a file to import
    // (one line a card, CR LF, the printed numbers' zeros kept) and as the
    // job report.
    {"CheckPrintedRefusesTheWrongFobThenExports", "",
     {{With(With(With(kBatch, "--check-printed"), "--printed-from"), "printed.txt"), kNone, 1,
       {"card 1 of 4: \u2714 Written and verified: 12,2001",
        "card 2 of 4: \u2718 Not written: this card is printed 0004713, the next entry is printed 0004712",
        "card 2 of 4: \u2714 Written and verified: 12,2002", "card 3 of 4: \u2714 Written and verified: 12,2003",
        "Batch not complete: 3 written, 1 failed attempt along the way; 1 of 4 cards not written"}},
      {{"export", "--record", "r.csv", "--layout", "camel"}, kNone, 0,
       {"cardFormat,facilityCode,cardNumber,externalNumber\r", "HID26,12,2001,\"0004711\"\r",
        "HID26,12,2002,\"0004712\"\r", "HID26,12,2003,\"0004713\"\r"},
       "3 credentials exported (standard output)"},
      {{"report", "--record", "r.csv", "--output", "job.html"}, kNone, 0, {}, "The job report is written (job.html)."}},
     {"12,2001 written", "12,2002 written", "12,2003 written"},
     "0004711\n0004713\n0004712\n0004713\n",
     "fc,cn,printed\n12,2001,0004711\n12,2002,0004712\n12,2003,0004713\n12,2004,0004714\n"},
    {"CheckPrintedNeedsAFileOffATerminal", "",
     {{With(kWriteOne, "--check-printed"), kNone, 2, {}, "--printed-from"}},
     {}},
    {"CtrlCEndsAfterTheCardInHand", "",
     // The third frame is card 2's write: that card is in hand.
     {{kBatch, {Interrupt::After::DeviceFrames, 3, {SIGINT}}, 130,
       {"card 1 of 4: \u2714 Written and verified: 12,2001", "card 2 of 4: \u2714 Written and verified: 12,2002",
        "Stopped by Ctrl+C: 2 written, no failed attempts along the way; 2 of 4 cards not written"}}},
     {"12,2001 written", "12,2002 written"}},
    {"SecondCtrlCEndsTheWaitAtOnce", "silent",
     {{kBatch, {Interrupt::After::DeviceFrames, 1, {SIGINT, SIGINT}}, 130, {}, "second Ctrl+C"}},
     {}},
    {"KilledBatchResumes", "",
     {{kBatch, {Interrupt::After::CardLines, 2, {SIGKILL}}, -SIGKILL, {}},
      {With(kBatch, "--resume"), kNone, 0,
       {"card 3 of 4: \u2714 Written and verified: 12,2003", "card 4 of 4: \u2714 Written and verified: 12,2004",
        "Batch complete: 4 written, no failed attempts along the way"}}},
     {"12,2001 written", "12,2002 written", "12,2003 written", "12,2004 written"}},
};

struct Result {
  int status = 0;
  std::vector<std::string> out;
  std::string err;
};

// Reads what a stream has now into `text`; false at its end.
bool Take(int fd, std::string& text) {
  char chunk[512];
  const ssize_t n = read(fd, chunk, sizeof chunk);
  if (n > 0) text.append(chunk, static_cast<std::size_t>(n));
  return n > 0;
}

// `environment`: "NAME=value" besides the test's own; `limit`: how long the
// run may take before it is killed.
Result RunProgram(const std::vector<std::string>& args, const std::string& dir, const Interrupt& interrupt,
                  const std::atomic<int>& framesReceived, const std::vector<std::string>& environment = {},
                  std::chrono::seconds limit = std::chrono::seconds(30)) {
  int out[2], err[2];
  EXPECT_EQ(pipe(out), 0);
  EXPECT_EQ(pipe(err), 0);
  // Made before the fork: the child of a threaded process only calls what is
  // safe there until it runs the program.
  std::vector<char*> argv{const_cast<char*>(VX_CARD_PROGRAM)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (char** variable = environ; *variable; ++variable) envp.push_back(*variable);
  for (const std::string& variable : environment) envp.push_back(const_cast<char*>(variable.c_str()));
  envp.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    dup2(err[1], 2);
    const int null = open("/dev/null", O_RDONLY);
    dup2(null, 0);
    if (chdir(dir.c_str()) != 0) _exit(125);
    execve(VX_CARD_PROGRAM, argv.data(), envp.data());
    _exit(126);
  }
  close(out[1]);
  close(err[1]);
  Result result;
  std::string outText;
  bool outOpen = true, errOpen = true, sent = interrupt.after == Interrupt::After::Never;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while ((outOpen || errOpen) && std::chrono::steady_clock::now() < deadline) {
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    poll(fds, 2, 10);
    if (fds[0].revents) outOpen = Take(out[0], outText);
    if (fds[1].revents) errOpen = Take(err[0], result.err);
    if (!sent) {
      const long lines = std::count(outText.begin(), outText.end(), '\n');
      const int seen = interrupt.after == Interrupt::After::CardLines ? static_cast<int>(lines) : framesReceived.load();
      if (seen >= interrupt.count) {
        for (const int signal : interrupt.signals) {
          kill(pid, signal);
          usleep(20000);
        }
        sent = true;
      }
    }
  }
  if (outOpen || errOpen) kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  close(out[0]);
  close(err[0]);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  std::istringstream lines(outText);
  for (std::string line; std::getline(lines, line);) result.out.push_back(line);
  return result;
}

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class CardProgram : public ::testing::TestWithParam<Case> {};

TEST_P(CardProgram, PrintsExitsAndRecords) {
  const Case& c = GetParam();
  std::atomic<int> framesReceived{0};
  vx::sim::PtyServerOptions options;
  options.device.faults = *vx::sim::ParseFaults(c.faults).faults;
  options.log = [&framesReceived](const std::string& line) {
    if (line.find("<- 02") != std::string::npos) ++framesReceived;
  };
  vx::sim::PtyServer server(options);
  ASSERT_TRUE(server.Start());
  vx::test::TempFile cards(c.cards ? c.cards : kCards);
  std::filesystem::copy_file(std::string(VX_SOURCE_DIR) + "/config/HID.cfg", cards.dir() + "/HID.cfg");
  if (!c.printedFile.empty()) std::ofstream(cards.dir() + "/printed.txt", std::ios::binary) << c.printedFile;

  for (const ProgramRun& run : c.runs) {
    std::vector<std::string> args = run.args;
    for (std::string& arg : args)
      if (arg == "{port}") arg = server.SlavePath();
    framesReceived = 0;
    const Result result = RunProgram(args, cards.dir(), run.interrupt, framesReceived);
    EXPECT_EQ(result.status, run.exitStatus) << result.err;
    if (run.exitStatus != -SIGKILL && !run.out.empty()) {
      EXPECT_EQ(result.out, run.out) << result.err;
    }
    if (!run.has.empty()) {
      std::string all = result.err;
      for (const std::string& line : result.out) all += line + "\n";
      EXPECT_NE(all.find(run.has), std::string::npos) << all;
    }
  }

  std::vector<std::string> record;
  const auto text = vx::ReadWholeFile(cards.dir() + "/r.csv");
  for (const vx::RecordLine& line : vx::ParseRecordText(text.value_or("")))
    record.push_back(line.facilityCode + "," + line.cardNumber + " " + line.outcome);
  EXPECT_EQ(record, c.record);
}

INSTANTIATE_TEST_SUITE_P(Runs, CardProgram, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// vandorix-card in the operator's language: what it says to the operator is
// French, and what scripts read (--json, the exit status) is what English gives.
struct LanguageCase {
  const char* name;
  std::vector<std::string> args;  // "{port}" stands for the simulator's port; run with --language fr
  int exitStatus;
  std::vector<std::string> starts;  // how each line of standard output starts
  std::string err = {};             // a text standard error must hold
  bool asInEnglish = false;         // standard output is the English run's, the times aside
};

const std::vector<std::string> kWriteTwo = {"write", "--port", "{port}", "--format", "HID26", "--fc", "12",
                                            "--cn", "1000", "--count", "2", "--yes"};

const std::vector<LanguageCase> kLanguageCases = {
    {"CardLinesAndSummaryInFrench", kWriteTwo, 0, {"carte 1 sur 2 : ", "carte 2 sur 2 : ", "Lot terminé : "}},
    {"JsonAsInEnglish", With(kWriteTwo, "--json"), 0, {"{\"time\":", "{\"time\":"}, "Lot terminé : ", true},
    {"UsageFaultInFrench",
     {"write", "--port", "{port}", "--format", "HID99", "--fc", "1", "--cn", "1"}, 2, {},
     "vandorix-card: --format : aucun format « HID99 » ; les formats sont HID24"},
};

// The record's time differs from run to run; everything else must not.
std::vector<std::string> WithoutTimes(std::vector<std::string> lines) {
  for (std::string& line : lines) {
    const std::string key = "\"time\":\"";
    const std::size_t start = line.find(key);
    if (start == std::string::npos) continue;
    const std::size_t end = line.find('"', start + key.size());
    line.erase(start + key.size(), end - start - key.size());
  }
  return lines;
}

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }

class CardProgramInFrench : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(CardProgramInFrench, SpeaksFrenchKeepsWhatScriptsRead) {
  const LanguageCase& c = GetParam();
  vx::sim::PtyServer server(vx::sim::PtyServerOptions{});
  ASSERT_TRUE(server.Start());
  vx::test::TempFile cards(kCards);
  std::filesystem::copy_file(std::string(VX_SOURCE_DIR) + "/config/HID.cfg", cards.dir() + "/HID.cfg");
  std::vector<std::string> args = c.args;
  for (std::string& arg : args)
    if (arg == "{port}") arg = server.SlavePath();
  std::vector<std::string> french = args;
  french.insert(french.end(), {"--language", "fr"});
  const std::atomic<int> frames{0};

  const Result fr = RunProgram(french, cards.dir(), kNone, frames);
  EXPECT_EQ(fr.status, c.exitStatus) << fr.err;
  ASSERT_EQ(fr.out.size(), c.starts.size()) << fr.err;
  for (std::size_t i = 0; i < c.starts.size(); ++i) {
    EXPECT_TRUE(fr.out[i].starts_with(c.starts[i])) << fr.out[i];
  }
  EXPECT_NE(fr.err.find(c.err), std::string::npos) << fr.err;
  if (c.asInEnglish) {
    const Result en = RunProgram(args, cards.dir(), kNone, frames);
    EXPECT_EQ(en.status, fr.status) << en.err;
    EXPECT_EQ(WithoutTimes(fr.out), WithoutTimes(en.out));
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, CardProgramInFrench, ::testing::ValuesIn(kLanguageCases),
                         [](const ::testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

// Two programs on one computer that go by one station: the second is refused
// before it connects or sends the reader anything, and the station is free
// again once the first has ended.
TEST(CardProgramStation, ASecondProgramOnTheStationIsRefused) {
  struct Case {
    const char* what;
    std::string held;     // the station another program holds; empty: the computer's name
    std::string station;  // --station; empty: none given
    std::string said;     // what the program says
  };
  const Case cases[] = {
      {"the same station", "DESK-2", "DESK-2", "Station DESK-2 is already in use by another program on this computer"},
      {"the computer's name, by default", "", "", "is already in use by another program on this computer"},
      {"another station", "DESK-2", "DESK-3", "The shared record cannot be reached"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::atomic<int> framesReceived{0};
    vx::sim::PtyServerOptions options;
    options.log = [&framesReceived](const std::string& line) {
      if (line.find("<- 02") != std::string::npos) ++framesReceived;
    };
    vx::sim::PtyServer server(options);
    ASSERT_TRUE(server.Start());
    vx::test::TempFile home("");
    std::filesystem::copy_file(std::string(VX_SOURCE_DIR) + "/config/HID.cfg", home.dir() + "/HID.cfg");
    const char* before = std::getenv("XDG_DATA_HOME");
    const std::string kept = before ? before : "";
    setenv("XDG_DATA_HOME", home.dir().c_str(), 1);
    const std::string userFolder = home.dir() + "/vandorix-programmer";
    const std::string held = c.held.empty() ? vx::DefaultStationName() : c.held;
    std::unique_ptr<vx::StationLock> lock;
    ASSERT_EQ(vx::LockStation(userFolder, held, lock), std::nullopt);

    std::vector<std::string> args = {"write", "--port", server.SlavePath(), "--format", "HID26", "--fc", "12", "--cn",
                                     "1000", "--shared-record", "Driver={vx no such driver}", "--store-wait", "0"};
    if (!c.station.empty()) args.insert(args.end(), {"--station", c.station});
    const Result result = RunProgram(args, home.dir(), kNone, framesReceived);
    lock.reset();
    EXPECT_EQ(result.status, 4) << result.err;
    EXPECT_NE(result.err.find(c.said), std::string::npos) << result.err;
    EXPECT_EQ(framesReceived.load(), 0);
    // The program has ended: its station is free.
    const std::string used = c.station.empty() ? vx::DefaultStationName() : c.station;
    EXPECT_EQ(vx::LockStation(userFolder, used, lock), std::nullopt);
    if (before)
      setenv("XDG_DATA_HOME", kept.c_str(), 1);
    else
      unsetenv("XDG_DATA_HOME");
  }
}

}  // namespace

namespace {

// vandorix-card on a real shared record whose server stops answering while a
// card is on the reader, after its reservation and before its settle: the
// card is written, its outcome is kept in the journal, and nothing says done
// of it until the next run has committed it. Servers from scripts/with-databases.
struct FrozenEngine {
  const char* name;
  const char* connection;  // the variables that name the connection and the freeze
  const char* freeze;
  const char* thaw;
};

const FrozenEngine kFrozenEngines[] = {
    {"PostgreSQL", "VX_TEST_PG", "VX_TEST_PG_FREEZE", "VX_TEST_PG_THAW"},
    {"MariaDB", "VX_TEST_MARIADB", "VX_TEST_MARIADB_FREEZE", "VX_TEST_MARIADB_THAW"},
};

struct FrozenCase {
  const char* station;
  std::vector<std::string> args;  // "{port}" and "{shared}" stand for the port and the connection
  int frozenAtWrite;              // the server stops as this card's write reaches the reader/writer
  int exitStatus;
  std::vector<std::string> out;   // standard output; empty: checked by `has` alone
  std::vector<std::string> has;   // texts the output (either stream) must hold
  std::string next;               // the card number the next run writes, with the server back
  std::string written;            // `store status` afterwards: the station's written credentials
};

std::vector<std::string> OnShared(std::vector<std::string> args, const char* station) {
  args.insert(args.end(), {"--shared-record", "{shared}", "--station", station, "--store-wait", "0"});
  return args;
}

const char* const kTwoCards = "12,3001\n12,3002\n";
const std::string kNotYet = "1 card not yet in the shared record: kept in the journal, committed at the next run";

const std::vector<FrozenCase> kFrozenCases = {
    {"E2E-ONE",
     {"write", "--port", "{port}", "--format", "HID26", "--fc", "12", "--cn", "50"},
     1, 4, {"\u2714 Written and verified: 12,50, not yet in the shared record"}, {}, "51", "2"},
    {"E2E-COUNT",
     {"write", "--port", "{port}", "--format", "HID26", "--fc", "12", "--cn", "60", "--count", "2", "--yes", "--json"},
     2, 4, {},
     {"\"card_number\":\"60\",", "\"station\":\"E2E-COUNT\",\"in_shared_record\":true}\n",
      "\"card_number\":\"61\",", "\"station\":\"E2E-COUNT\",\"in_shared_record\":false}\n",
      "Batch complete: 2 written, no failed attempts along the way\n" + kNotYet},
     "62", "3"},
    {"E2E-BATCH",
     {"batch", "--port", "{port}", "--format", "HID26", "--file", "two.txt", "--yes"},
     2, 4,
     {"card 1 of 2: \u2714 Written and verified: 12,3001",
      "card 2 of 2: \u2714 Written and verified: 12,3002, not yet in the shared record",
      "Batch complete: 2 written, no failed attempts along the way", kNotYet},
     {}, "3003", "3"},
};

void PrintTo(const FrozenEngine& engine, std::ostream* os) { *os << engine.name; }

class CardProgramOnAFrozenServer : public ::testing::TestWithParam<FrozenEngine> {};

TEST_P(CardProgramOnAFrozenServer, SaysNotYetExitsFourCommitsNextRun) {
  const char* connection = std::getenv(GetParam().connection);
  const char* freeze = std::getenv(GetParam().freeze);
  const char* thaw = std::getenv(GetParam().thaw);
  if (!connection || !freeze || !thaw) GTEST_SKIP() << GetParam().connection << " is not set";
  for (const FrozenCase& c : kFrozenCases) {
    SCOPED_TRACE(c.station);
    std::atomic<int> writes{0};
    std::atomic<bool> frozen{false};
    vx::sim::PtyServerOptions options;
    options.log = [&](const std::string& line) {
      if (line.rfind("<- 02 ", 0) != 0 || line.substr(9, 2) != "A5" || ++writes != c.frozenAtWrite) return;
      frozen = std::system(freeze) == 0;
    };
    vx::sim::PtyServer server(options);
    ASSERT_TRUE(server.Start());
    vx::test::TempFile cards(kTwoCards, "two.txt");
    std::filesystem::copy_file(std::string(VX_SOURCE_DIR) + "/config/HID.cfg", cards.dir() + "/HID.cfg");
    // The journal in the test's folder, not the user's.
    const std::vector<std::string> environment = {"XDG_DATA_HOME=" + cards.dir()};
    const auto run = [&](std::vector<std::string> args) {
      for (std::string& arg : args) {
        if (arg == "{port}") arg = server.SlavePath();
        if (arg == "{shared}") arg = connection;
      }
      const std::atomic<int> frames{0};
      return RunProgram(args, cards.dir(), kNone, frames, environment, std::chrono::seconds(90));
    };

    const Result result = run(OnShared(c.args, c.station));
    // Thawed before anything is checked: a server left frozen would hang every test after.
    if (frozen) {
      EXPECT_EQ(std::system(thaw), 0);
    }
    EXPECT_TRUE(frozen);
    EXPECT_EQ(result.status, c.exitStatus) << result.err;
    if (!c.out.empty()) {
      EXPECT_EQ(result.out, c.out) << result.err;
    }
    std::string all = result.err;
    for (const std::string& line : result.out) all += line + "\n";
    for (const std::string& text : c.has) EXPECT_NE(all.find(text), std::string::npos) << text << " in\n" << all;

    const Result next = run(OnShared({"write", "--port", "{port}", "--format", "HID26", "--fc", "12", "--cn", c.next,
                                      "--json"},
                                     c.station));
    EXPECT_EQ(next.status, 0) << next.err;
    ASSERT_EQ(next.out.size(), 1u) << next.err;
    EXPECT_TRUE(next.out[0].ends_with(",\"in_shared_record\":true}")) << next.out[0];
    const Result status = run(OnShared({"store", "status"}, c.station));
    std::string statusText;
    for (const std::string& line : status.out) statusText += line + "\n";
    EXPECT_NE(statusText.find(std::string(c.station) + "\twritten\t" + c.written + "\n"), std::string::npos)
        << statusText;
    EXPECT_EQ(statusText.find(std::string(c.station) + "\treserved"), std::string::npos) << statusText;
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, CardProgramOnAFrozenServer, ::testing::ValuesIn(kFrozenEngines),
                         [](const ::testing::TestParamInfo<FrozenEngine>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
