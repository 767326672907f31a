#include "app/simulated_port_link.h"

SimulatedPortLink::SimulatedPortLink(std::unique_ptr<vx::SerialLink> port, DevicePath devicePath)
    : devicePath_(std::move(devicePath)), port_(std::move(port)) {}

SimulatedPortLink::~SimulatedPortLink() { port_->Close(); }

void SimulatedPortLink::Open(const std::string& /*portName*/) {
  const std::string path = devicePath_();
  // No device: the port stays closed and the caller reports the failed open.
  if (path.empty()) {
    port_->Close();
    return;
  }
  port_->Open(path);
}
