#pragma once
// The start of a window program once its command line is read, the same for
// both windows: the operator's own folder when asked for, the serial link
// (real or simulated), the window, HID.cfg, the typed port, the note on a
// simulated device and the shared record. Each window supplies how it makes
// its link and itself; the order, the faults and their exit codes are here.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "window/window_core.h"
#include "formats/format_table.h"
#include "program/command_line.h"
#include "program/link_choice.h"

namespace vx {

// What the start-up sets on the window it has made.
class StartingWindow {
 public:
  virtual std::optional<FormatFileError> Startup(const std::string& formatFile) = 0;
  virtual void SetPortText(const std::string& text) = 0;
  virtual void ShowDeviceNote(const std::string& text) = 0;
  virtual WindowCore& Core() = 0;

 protected:
  ~StartingWindow() = default;
};

struct WindowFront {
  std::function<std::string()> enterUserFolder;          // fills and enters it: what went wrong, or empty
  std::function<std::filesystem::path()> userFolder;
  std::function<LinkChoice(const CommandLine&)> makeLink;
  // Makes the window over the link, taking the link along; null when it cannot.
  std::function<StartingWindow*(std::unique_ptr<SerialLink>& link)> makeWindow;
};

struct StartFault {
  std::string text;
  int exitCode;  // 1 the folder, the window or HID.cfg; 2 the serial link
};

// The window started, ready to show; or why not.
std::optional<StartFault> StartWindow(const CommandLine& commandLine, const WindowFront& front);

// Prints the fault and, but for a mistyped --simulate (the caller's, told on
// the console), shows it too: started from the menu nobody reads a console.
// Returns the exit code.
int TellStartFault(const StartFault& fault, std::string_view program, std::ostream& errors,
                   const std::function<void(const std::string&)>& show);

}  // namespace vx
