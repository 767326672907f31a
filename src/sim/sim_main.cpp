// vandorix-sim: a simulated card reader/writer on a pseudo-terminal, for trying
// the programmer without a device. Prints the port path alone on its first line,
// then a log of every frame, until interrupted.

#include <signal.h>
#include <time.h>

#include <cstdio>
#include <iostream>
#include <mutex>
#include <string>
#include <string_view>

#include "sim/faults.h"
#include "sim/pty_server_posix.h"

namespace {

volatile sig_atomic_t gSignalled = 0;

void OnSignal(int) { gSignalled = 1; }

void PrintHelp() {
  std::cout << "Usage: vandorix-sim [--fault=NAME[,NAME...]] [NAME...] [--no-delay]\n"
               "\n"
               "Simulates the card reader/writer on a pseudo-terminal. The first line printed\n"
               "is the port to open in the programmer; then every frame received (<-) and\n"
               "sent (->) is logged in hex, with the card's bit image after every write.\n"
               "Runs until interrupted (Ctrl+C) or terminated.\n"
               "\n"
               "Options:\n"
               "  --fault=NAMES  misbehave as named (comma-separated); the names may also\n"
               "                 be given as plain arguments\n"
               "  --no-delay     answer at once instead of at the device's pace\n"
               "  --help         show this text\n"
               "\n"
               "Faults:\n"
               "  silent   never answers\n"
               "  refuse   refuses every write (status 01)\n"
               "  nocard   reads find no card (status 01)\n"
               "  corrupt  reads return the card number plus one\n"
               "  split    replies arrive in three pieces, 30 ms apart\n"
               "  garbage  stray bytes go out before every reply\n"
               "  noread   acknowledges writes, never answers reads\n"
               "  unplug   drops the line after receiving a write\n"
               "  bytewise replies arrive one byte at a time, 15 ms apart\n"
               "  anylayout reads give the card's numbers in whatever HID layout\n"
               "           they ask for, as the card was written\n"
               "\n"
               "The card in the field starts as an EM4100 card, facility code 1, card number 1.\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vx::sim;
  PtyServerOptions options;
  std::string faultText;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintHelp();
      return 0;
    }
    if (arg == "--no-delay") {
      options.device.timing = DeviceTiming::Instant();
    } else if (arg.starts_with("--fault=")) {
      faultText += ",";
      faultText += arg.substr(8);
    } else if (!arg.starts_with("-")) {
      faultText += ",";
      faultText += arg;
    } else {
      std::cerr << "vandorix-sim: unknown option \"" << arg << "\" (try --help)\n";
      return 2;
    }
  }
  const FaultParse parsed = ParseFaults(faultText);
  if (!parsed.faults) {
    std::cerr << "vandorix-sim: " << parsed.error << "\n";
    return 2;
  }
  options.device.faults = *parsed.faults;

  std::mutex outputMutex;
  options.log = [&outputMutex](const std::string& line) {
    std::lock_guard lock(outputMutex);
    std::cout << line << std::endl;
  };

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  PtyServer server(options);
  std::string error;
  {
    // Held so that no log line can come before the path.
    std::lock_guard lock(outputMutex);
    if (!server.Start(&error)) {
      std::cerr << "vandorix-sim: " << error << "\n";
      return 1;
    }
    std::cout << server.SlavePath() << std::endl;
  }

  const timespec slice{0, 50'000'000};
  while (!gSignalled && server.Running()) nanosleep(&slice, nullptr);
  const bool unplugged = server.Unplugged();
  server.Stop();
  if (unplugged) {
    std::cerr << "vandorix-sim: the line was dropped (unplug fault); exiting\n";
    return 3;
  }
  return 0;
}
