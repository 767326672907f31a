#pragma once
// A serial link whose far end is a scripted device. Bytes the device sends are
// delivered at the tick they are scheduled for, so tests run tick by tick,
// instantly and deterministically.

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/serial_link.h"

namespace vx::test {

class FakeLink : public SerialLink {
 public:
  // Called with every frame written; it answers through Reply().
  using Device = std::function<void(const Bytes& frame, FakeLink& link)>;

  void SetDevice(Device device) { device_ = std::move(device); }
  // Port names that fail to open (all others open).
  void RefuseOpen(bool refuse) { refuseOpen_ = refuse; }

  // Schedules bytes to arrive `afterTicks` ticks from now (0: at the next tick).
  void Reply(const Bytes& bytes, int afterTicks = 0);
  // Bytes that arrive at once, before the next tick.
  void Arrive(const Bytes& bytes);
  // One timer tick of the device's clock: delivers what is due.
  void Tick();

  // SerialLink
  void Open(const std::string& portName) override;
  bool IsOpen() const override { return open_; }
  void Close() override;
  void DiscardInput() override { rx_.clear(); }
  std::size_t BytesWaiting() override { return rx_.size(); }
  void Write(const Bytes& bytes) override;
  Bytes ReadAll() override;

  // What the test looks at.
  std::vector<Bytes> written;          // every frame written, in order
  std::vector<std::string> opened;     // every port name opened
  int openCount = 0;
  int closeCount = 0;
  bool everWroteWhileClosed = false;

 private:
  struct Pending {
    long dueTick;
    Bytes bytes;
  };
  Device device_;
  bool refuseOpen_ = false;
  bool open_ = false;
  long now_ = 0;
  std::deque<Pending> pending_;
  Bytes rx_;
};

// Scripted device answers.
Bytes AckReplyBytes(std::uint8_t status = 0x00);
Bytes CardDataReplyBytes(const std::array<std::uint8_t, 5>& data, std::uint8_t status = 0x00);

}  // namespace vx::test
