#pragma once
// The few things of the system's console the program needs: Ctrl+C, whether
// a stream is a terminal, a line typed at the terminal, and the user folder.

#include <optional>
#include <string>
#include <string_view>

namespace vx::cli {

// Counts Ctrl+C from now on instead of ending the program. The first asks the
// run to end after the card in hand; a second during a wait ends it at once.
void InstallInterruptHandler();
// How many times Ctrl+C has been pressed.
int InterruptCount();

enum class Stream { Input, Output, Error };
bool IsTerminal(Stream stream);
// Makes the terminal show UTF-8 text, and colours where it can.
// False when colours cannot be shown.
bool PrepareConsole();

// A line typed on standard input, without its line end; nullopt at the end of
// the input or when Ctrl+C was pressed meanwhile.
std::optional<std::string> ReadInputLine();

// Writes `bytes` to standard output byte for byte (on Windows too, where a
// text stream would turn each line end into another); false when not all of
// them could be written.
bool WriteOutputBytes(std::string_view bytes);

// The operator's own folder for this program (UTF-8), as the windows use it:
// ~/.local/share/vandorix-programmer ($XDG_DATA_HOME when set), or
// %LOCALAPPDATA%\vandorix-programmer. Not made here.
std::string UserDataFolder();

}  // namespace vx::cli
