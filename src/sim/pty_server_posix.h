#pragma once
// Serves the simulated device on a pseudo-terminal, so a program opens its
// slave side as it would open a serial port. The device runs on a background
// thread; every access to the model happens there.

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "sim/device_model.h"

namespace vx::sim {

struct PtyServerOptions {
  DeviceOptions device;
  // Each frame-log line (see sim_log.h), called on the server thread.
  std::function<void(const std::string&)> log;
};

class PtyServer {
 public:
  explicit PtyServer(PtyServerOptions options = {});
  ~PtyServer();  // stops
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Creates the pseudo-terminal and starts serving. False, with a message in
  // *error, when the pseudo-terminal cannot be had.
  bool Start(std::string* error = nullptr);
  // Stops serving and closes the pseudo-terminal; the slave path goes away.
  void Stop();

  // The path a client opens, e.g. /dev/pts/4. Empty before Start.
  const std::string& SlavePath() const { return slavePath_; }
  bool Running() const { return running_; }
  // The unplug fault has closed the line; the server has stopped by itself.
  bool Unplugged() const { return unplugged_; }

 private:
  void Serve();
  void CloseFds();

  PtyServerOptions options_;
  std::string slavePath_;
  int master_ = -1;
  int slaveKeeper_ = -1;  // held open so the master sees no hang-up between client sessions
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> running_{false};
  std::atomic<bool> unplugged_{false};
};

}  // namespace vx::sim
