#include "sim/replug_sim_link.h"

namespace vx::sim {

ReplugSimLink::ReplugSimLink(SimLinkOptions options, SimLink::Now now)
    : options_(std::move(options)), now_(std::move(now)), link_(std::make_unique<SimLink>(options_, now_)) {}

void ReplugSimLink::Open(const std::string& portName) {
  if (link_->Unplugged()) link_ = std::make_unique<SimLink>(options_, now_);
  link_->Open(portName);
}

}  // namespace vx::sim
