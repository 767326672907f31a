#include "winapp/link_choice_windows.h"

#include "device/system_serial_link.h"
#include "sim/replug_sim_link.h"

namespace vx::win {

LinkChoice MakeLink(const CommandLine& commandLine) {
  // No pseudo-terminals here: the simulated device sits right behind the link.
  return ChooseLink(commandLine, MakeSystemSerialLink, [](const sim::DeviceOptions& device) {
    LinkChoice choice;
    choice.link = std::make_unique<sim::ReplugSimLink>(sim::SimLinkOptions{device});
    return choice;
  });
}

}  // namespace vx::win
