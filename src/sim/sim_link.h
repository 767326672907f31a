#pragma once
// A SerialLink whose far end is the simulated device, in this process: the
// program runs without a reader/writer, on any platform. Bytes the device sends
// become waiting only when their time has come, as on a real line.
//
// The device (and the card in its field) lives as long as the link, across
// Open/Close, like a device that stays plugged in. After the unplug fault has
// struck, the port is gone: it reads as closed and will not open again.
// Not thread-safe: the program's one thread uses it, like a serial port.

#include <chrono>
#include <deque>
#include <functional>
#include <string>

#include "device/serial_link.h"
#include "sim/device_model.h"

namespace vx::sim {

struct SimLinkOptions {
  DeviceOptions device;
  // Every Open fails, as for a port that does not exist.
  bool refuseOpen = false;
};

class SimLink : public SerialLink {
 public:
  using Clock = std::chrono::steady_clock;
  using Now = std::function<Clock::time_point()>;

  explicit SimLink(SimLinkOptions options = {}, Now now = &Clock::now);

  // Called with each frame-log line (see sim_log.h), if set.
  void SetLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }
  DeviceModel& Model() { return model_; }
  bool Unplugged() const { return unplugged_; }

  // SerialLink. Any port name opens the simulated device.
  void Open(const std::string& portName) override;
  bool IsOpen() const override { return open_; }
  void Close() override;
  void DiscardInput() override;
  std::size_t BytesWaiting() override;
  void Write(const Bytes& bytes) override;
  Bytes ReadAll() override;

 private:
  struct Timed {
    Clock::time_point due;
    std::uint8_t byte;
  };
  void Take(std::vector<Exchange> exchanges, Clock::time_point heard);
  void LogSentUpTo(Clock::time_point now);

  SimLinkOptions options_;
  Now now_;
  DeviceModel model_;
  std::function<void(const std::string&)> log_;
  bool open_ = false;
  bool unplugged_ = false;
  std::deque<Timed> incoming_;        // bytes on their way to the program
  Clock::time_point lineFree_{};      // when the device's transmitter is next free
  Clock::time_point lastHeard_{};     // when the device last received a byte
  std::deque<std::pair<Clock::time_point, Bytes>> unloggedReplies_;
};

}  // namespace vx::sim
