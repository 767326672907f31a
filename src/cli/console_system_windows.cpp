#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cstdio>
#include <iostream>

#include "cli/console_system.h"
#include "platform/utf16_text.h"

namespace vx::cli {

namespace {

std::atomic<int> gInterrupts{0};

BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  ++gInterrupts;
  return TRUE;
}

}  // namespace

void InstallInterruptHandler() { SetConsoleCtrlHandler(OnControl, TRUE); }

int InterruptCount() { return gInterrupts.load(); }

bool IsTerminal(Stream stream) {
  const int fd = stream == Stream::Input ? 0 : stream == Stream::Output ? 1 : 2;
  return _isatty(fd) != 0;
}

bool PrepareConsole() {
  SetConsoleOutputCP(CP_UTF8);
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (out == INVALID_HANDLE_VALUE || !GetConsoleMode(out, &mode)) return false;
  return SetConsoleMode(out, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

std::optional<std::string> ReadInputLine() {
  const int seen = gInterrupts.load();
  std::string line;
  const bool got = static_cast<bool>(std::getline(std::cin, line));
  // Ctrl+C ends the console's read with nothing; its handler runs on a thread
  // of its own, so give it a moment to count before looking.
  if (!got) Sleep(50);
  if (!got || gInterrupts.load() != seen) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

bool WriteOutputBytes(std::string_view bytes) {
  std::cout.flush();
  std::fflush(stdout);
  const int mode = _setmode(_fileno(stdout), _O_BINARY);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
  if (mode != -1) _setmode(_fileno(stdout), mode);
  return written;
}

std::string UserDataFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  return Utf8(std::wstring(local ? local : L".") + L"\\vandorix-programmer");
}

}  // namespace vx::cli
