#include "winapp/message_wait_windows.h"

#include <algorithm>

namespace vx::win {

void SleepUntilMessageOr(HANDLE bytesArrived, std::chrono::milliseconds timeout) {
  if (!bytesArrived) timeout = std::min(timeout, kTick);
  if (timeout.count() <= 0) return;
  // MWMO_INPUTAVAILABLE: messages already in the queue but looked at before
  // (by an earlier PeekMessage) also wake it, so none sits there until the deadline.
  MsgWaitForMultipleObjectsEx(bytesArrived ? 1 : 0, bytesArrived ? &bytesArrived : nullptr,
                              static_cast<DWORD>(timeout.count()), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace vx::win
