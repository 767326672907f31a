#pragma once
// How the window sleeps during a wait for the device: on its message queue
// and, when the serial port offers one, on the port's event of received bytes,
// together, until either has something or the time is up. Nothing spins.

#include <windows.h>

#include <chrono>

namespace vx::win {

// The longest sleep when there is no event to wake on (the simulated device
// in this process): its bytes become due tick by tick, so look each tick.
inline constexpr std::chrono::milliseconds kTick{10};

// Returns when a message is waiting, `bytesArrived` (may be null) is signalled,
// or `timeout` has passed; with no event, after at most one tick.
void SleepUntilMessageOr(HANDLE bytesArrived, std::chrono::milliseconds timeout);

}  // namespace vx::win
