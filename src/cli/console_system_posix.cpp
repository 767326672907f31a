#include <errno.h>
#include <stdlib.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "cli/console_system.h"

namespace vx::cli {

namespace {

volatile sig_atomic_t gInterrupts = 0;

void OnInterrupt(int) {
  if (gInterrupts < 1000) gInterrupts = gInterrupts + 1;
}

}  // namespace

void InstallInterruptHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a wait in poll() wakes at once, so a second Ctrl+C is seen.
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
}

int InterruptCount() { return gInterrupts; }

bool IsTerminal(Stream stream) {
  const int fd = stream == Stream::Input ? STDIN_FILENO : stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO;
  return isatty(fd) == 1;
}

bool PrepareConsole() { return true; }

std::optional<std::string> ReadInputLine() {
  std::string line;
  const int seen = gInterrupts;
  for (;;) {
    char c;
    const ssize_t n = read(STDIN_FILENO, &c, 1);
    if (gInterrupts != seen) return std::nullopt;
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    if (c == '\n') return line;
    if (c != '\r') line += c;
  }
}

bool WriteOutputBytes(std::string_view bytes) {
  std::cout.flush();
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

std::string UserDataFolder() {
  const char* data = getenv("XDG_DATA_HOME");
  const char* home = getenv("HOME");
  const std::string base = data && *data ? std::string(data) : std::string(home ? home : ".") + "/.local/share";
  return base + "/vandorix-programmer";
}

}  // namespace vx::cli
