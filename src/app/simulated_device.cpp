#include "app/simulated_device.h"

#if VX_PTY_SIMULATION
#include "app/simulated_device_posix.h"
#else
#include "sim/replug_sim_link.h"
#endif

namespace vx {

LinkChoice MakeSimulatedLink(const sim::DeviceOptions& device) {
#if VX_PTY_SIMULATION
  return MakePtySimulatedLink(device);
#else
  LinkChoice choice;
  choice.link = std::make_unique<sim::ReplugSimLink>(sim::SimLinkOptions{device});
  return choice;
#endif
}

}  // namespace vx
