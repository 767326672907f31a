#include "app/link_factory.h"

#include "app/qt_serial_link.h"

namespace vx {

LinkChoice MakeSerialLink(const CommandLine& commandLine) {
  LinkChoice choice;
  if (commandLine.simulate) {
    // The simulated reader/writer is made here, with commandLine.simulate
    // naming the fault it should show (empty: none).
    choice.error = "--simulate is not available in this build";
    return choice;
  }
  choice.link = std::make_unique<QtSerialLink>();
  return choice;
}

}  // namespace vx
