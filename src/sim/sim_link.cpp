#include "sim/sim_link.h"

#include <algorithm>

#include "sim/sim_log.h"

namespace vx::sim {

SimLink::SimLink(SimLinkOptions options, Now now)
    : options_(std::move(options)), now_(std::move(now)), model_(options_.device) {}

void SimLink::Open(const std::string& /*portName*/) {
  open_ = !options_.refuseOpen && !unplugged_;
}

void SimLink::Close() {
  open_ = false;
  // What the device sends while nobody listens is lost.
  incoming_.clear();
}

void SimLink::DiscardInput() {
  const Clock::time_point now = now_();
  while (!incoming_.empty() && incoming_.front().due <= now) incoming_.pop_front();
}

std::size_t SimLink::BytesWaiting() {
  if (!open_) return 0;
  const Clock::time_point now = now_();
  LogSentUpTo(now);
  return static_cast<std::size_t>(
      std::count_if(incoming_.begin(), incoming_.end(), [now](const Timed& t) { return t.due <= now; }));
}

Bytes SimLink::ReadAll() {
  Bytes bytes;
  if (!open_) return bytes;
  const Clock::time_point now = now_();
  LogSentUpTo(now);
  while (!incoming_.empty() && incoming_.front().due <= now) {
    bytes.push_back(incoming_.front().byte);
    incoming_.pop_front();
  }
  return bytes;
}

void SimLink::Write(const Bytes& bytes) {
  if (!open_) return;
  const DeviceTiming& timing = options_.device.timing;
  const Clock::time_point now = now_();
  // The frame leaves the program at once and is fully heard by the device one
  // byte time per byte later.
  const Clock::time_point heard = now + timing.byteTime * static_cast<long>(bytes.size());
  if (model_.HasPartialFrame() && now - lastHeard_ >= timing.idleTimeout) Take(model_.LineIdle(), now);
  lastHeard_ = heard;
  Take(model_.Receive(bytes), heard);
}

void SimLink::Take(std::vector<Exchange> exchanges, Clock::time_point heard) {
  for (Exchange& exchange : exchanges) {
    if (log_) {
      for (const std::string& line : ReceiveLines(exchange)) log_(line);
    }
    if (exchange.hangUp) {
      unplugged_ = true;
      open_ = false;
      incoming_.clear();
      if (log_) log_("-- unplugged");
      return;
    }
    Clock::time_point at = std::max(heard, lineFree_);
    for (const ReplyChunk& chunk : exchange.schedule) {
      at += chunk.delayBefore;
      for (std::uint8_t b : chunk.bytes) incoming_.push_back({at, b});
    }
    lineFree_ = at;
    if (!exchange.reply.empty()) unloggedReplies_.emplace_back(at, exchange.reply);
  }
}

void SimLink::LogSentUpTo(Clock::time_point now) {
  while (!unloggedReplies_.empty() && unloggedReplies_.front().first <= now) {
    if (log_) log_(SentLine(unloggedReplies_.front().second));
    unloggedReplies_.pop_front();
  }
}

}  // namespace vx::sim
