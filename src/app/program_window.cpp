#include "app/program_window.h"

#include "app/link_factory.h"
#include "app/user_folder.h"
#include "program/shared_record_setup.h"

namespace vx {

ProgramWindow OpenProgramWindow(const CommandLine& commandLine) {
  ProgramWindow result;
  if (commandLine.userFolder) {
    if (std::string error = EnterUserFolder(); !error.empty()) {
      result.fault = std::move(error);
      result.exitCode = 1;
      return result;
    }
  }
  LinkChoice link = MakeSerialLink(commandLine);
  if (!link.link) {
    result.fault = std::move(link.error);
    result.exitCode = 2;
    return result;
  }
  auto window = std::make_unique<Tesselmain>(std::move(link.link));
  // From the menu nobody sees the current folder: a fault names the file in full.
  const std::string configFile = commandLine.userFolder ? UserConfigPath() : "HID.cfg";
  if (const auto fault = window->Startup(configFile)) {
    result.fault = fault->Message();
    result.exitCode = 1;
    return result;
  }
  if (commandLine.port) window->SetPortText(*commandLine.port);
  if (!link.deviceNote.empty()) window->ShowDeviceNote(link.deviceNote);
  SetUpSharedRecord(window->Core(), commandLine, UserFolderPath().toStdString());
  result.window = std::move(window);
  return result;
}

}  // namespace vx
