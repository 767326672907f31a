#include "program/window_start.h"

#include <ostream>

#include "i18n/translate.h"
#include "program/shared_record_setup.h"
#include "program/user_folder.h"

namespace vx {

std::optional<StartFault> StartWindow(const CommandLine& commandLine, const WindowFront& front) {
  if (commandLine.userFolder) {
    if (std::string error = front.enterUserFolder(); !error.empty()) return StartFault{std::move(error), 1};
  }
  LinkChoice link = front.makeLink(commandLine);
  if (!link.link) return StartFault{std::move(link.error), 2};
  StartingWindow* window = front.makeWindow(link.link);
  if (!window) return StartFault{Tr("Cannot make the window."), 1};
  // From the menu nobody sees the current folder: a fault names the file in full.
  const std::string configFile = commandLine.userFolder ? UserConfigPath(front.userFolder()) : "HID.cfg";
  if (const auto fault = window->Startup(configFile)) return StartFault{fault->Message(), 1};
  if (commandLine.port) window->SetPortText(*commandLine.port);
  if (!link.deviceNote.empty()) window->ShowDeviceNote(link.deviceNote);
  SetUpSharedRecord(window->Core(), commandLine, PathText(front.userFolder()));
  return std::nullopt;
}

int TellStartFault(const StartFault& fault, std::string_view program, std::ostream& errors,
                   const std::function<void(const std::string&)>& show) {
  errors << program << ": " << fault.text << '\n';
  if (fault.exitCode == 1) show(fault.text);
  return fault.exitCode;
}

}  // namespace vx
