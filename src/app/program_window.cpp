#include "app/program_window.h"

#include "app/link_factory.h"
#include "app/user_folder.h"

namespace vx {

ProgramWindow OpenProgramWindow(const CommandLine& commandLine) {
  ProgramWindow result;
  WindowFront front;
  front.enterUserFolder = [] { return EnterUserFolder(); };
  front.userFolder = [] { return PathOf(UserFolderPath()); };
  front.makeLink = MakeSerialLink;
  front.makeWindow = [&result](std::unique_ptr<SerialLink>& link) -> StartingWindow* {
    result.window = std::make_unique<Tesselmain>(std::move(link));
    return result.window.get();
  };
  if (auto fault = StartWindow(commandLine, front)) {
    result.window.reset();
    result.fault = std::move(fault->text);
    result.exitCode = fault->exitCode;
  }
  return result;
}

}  // namespace vx
