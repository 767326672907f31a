#pragma once
// A serial link that opens the simulated reader/writer's port whatever port
// the operator chose in Combo1, so "1" (or COM3, or anything typed) reaches
// the simulated device through the real serial layer underneath.

#include <functional>
#include <memory>
#include <string>

#include "device/serial_link.h"

class SimulatedPortLink : public vx::SerialLink {
 public:
  // The path of the device's port, asked afresh at every Open: a device that
  // was pulled out comes back on another path. Empty: no device to open.
  using DevicePath = std::function<std::string()>;

  SimulatedPortLink(std::unique_ptr<vx::SerialLink> port, DevicePath devicePath);
  ~SimulatedPortLink() override;

  void Open(const std::string& portName) override;
  bool IsOpen() const override { return port_->IsOpen(); }
  void Close() override { port_->Close(); }
  void DiscardInput() override { port_->DiscardInput(); }
  std::size_t BytesWaiting() override { return port_->BytesWaiting(); }
  void Write(const vx::Bytes& bytes) override { port_->Write(bytes); }
  vx::Bytes ReadAll() override { return port_->ReadAll(); }

 private:
  // Declared first so it goes last: the device outlives the port opened on it.
  DevicePath devicePath_;
  std::unique_ptr<vx::SerialLink> port_;
};
