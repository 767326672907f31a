#include "support/fake_link.h"

#include <algorithm>

#include "device/frame.h"

namespace vx::test {

void FakeLink::Reply(const Bytes& bytes, int afterTicks) {
  pending_.push_back({now_ + 1 + std::max(0, afterTicks), bytes});
}

void FakeLink::Arrive(const Bytes& bytes) {
  if (open_) rx_.insert(rx_.end(), bytes.begin(), bytes.end());
}

void FakeLink::Tick() {
  ++now_;
  // Deliver in scheduling order whatever is due; later items wait their turn.
  std::deque<Pending> later;
  for (Pending& p : pending_) {
    if (p.dueTick <= now_) {
      if (open_) rx_.insert(rx_.end(), p.bytes.begin(), p.bytes.end());
    } else {
      later.push_back(std::move(p));
    }
  }
  pending_.swap(later);
}

void FakeLink::Open(const std::string& portName) {
  opened.push_back(portName);
  if (refuseOpen_) return;
  open_ = true;
  ++openCount;
  rx_.clear();
}

void FakeLink::Close() {
  if (!open_) return;
  open_ = false;
  ++closeCount;
  rx_.clear();
  pending_.clear();
}

void FakeLink::Write(const Bytes& bytes) {
  if (!open_) {
    everWroteWhileClosed = true;
    return;
  }
  written.push_back(bytes);
  if (device_) device_(bytes, *this);
}

Bytes FakeLink::ReadAll() {
  Bytes out;
  out.swap(rx_);
  return out;
}

Bytes AckReplyBytes(std::uint8_t status) {
  Bytes b{kStx, 0x01, status, 0x00};
  b.push_back(CheckByte(b));
  b.push_back(kEtx);
  return b;
}

Bytes CardDataReplyBytes(const std::array<std::uint8_t, 5>& data, std::uint8_t status) {
  Bytes b{kStx, 0x01, status, 0x05, data[0], data[1], data[2], data[3], data[4]};
  b.push_back(CheckByte(b));
  b.push_back(kEtx);
  return b;
}

}  // namespace vx::test
