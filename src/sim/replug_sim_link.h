#pragma once
// The simulated reader/writer of --simulate where no pseudo-terminal serves it
// (Windows): the device sits right behind the serial interface, in this
// process. As with the device on a pseudo-terminal, one pulled out by the
// unplug fault is plugged in again, as a new device with its own card, at the
// next Open; until then the port reads as closed.

#include <memory>

#include "sim/sim_link.h"

namespace vx::sim {

class ReplugSimLink : public SerialLink {
 public:
  explicit ReplugSimLink(SimLinkOptions options, SimLink::Now now = &SimLink::Clock::now);

  void Open(const std::string& portName) override;
  bool IsOpen() const override { return link_->IsOpen(); }
  void Close() override { link_->Close(); }
  void DiscardInput() override { link_->DiscardInput(); }
  std::size_t BytesWaiting() override { return link_->BytesWaiting(); }
  void Write(const Bytes& bytes) override { link_->Write(bytes); }
  Bytes ReadAll() override { return link_->ReadAll(); }

 private:
  SimLinkOptions options_;
  SimLink::Now now_;
  std::unique_ptr<SimLink> link_;
};

}  // namespace vx::sim
