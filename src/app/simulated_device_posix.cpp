#include "app/simulated_device_posix.h"

#include "app/qt_serial_link.h"
#include "app/simulated_port_link.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "sim/pty_server_posix.h"

namespace vx {

LinkChoice MakePtySimulatedLink(const sim::DeviceOptions& device) {
  LinkChoice choice;
  auto server = std::make_shared<sim::PtyServer>(sim::PtyServerOptions{device, {}});
  std::string error;
  if (!server->Start(&error)) {
    // TRANSLATORS: %s is the system's reason, as the simulator gives it.
    choice.error = Format(Tr("the simulated reader/writer cannot start: %s"), error);
    return choice;
  }
  // The link owns the server through this function, so the device lives as
  // long as the port that talks to it.
  auto devicePath = [server]() -> std::string {
    if (server->Unplugged() && !server->Start()) return {};
    return server->Running() ? server->SlavePath() : std::string();
  };
  choice.link = std::make_unique<SimulatedPortLink>(std::make_unique<QtSerialLink>(), std::move(devicePath));
  return choice;
}

}  // namespace vx
