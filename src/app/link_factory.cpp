#include "app/link_factory.h"

#include "app/qt_serial_link.h"
#include "app/simulated_device.h"

namespace vx {

LinkChoice MakeSerialLink(const CommandLine& commandLine) {
  return ChooseLink(
      commandLine, [] { return std::make_unique<QtSerialLink>(); }, MakeSimulatedLink);
}

}  // namespace vx
