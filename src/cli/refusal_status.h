#pragma once
// The exit status of a handler that wrote, read or linked nothing, from what
// its message boxes stand for, never from their words: a change of wording
// or a translation leaves every status as it is.

#include <optional>
#include <vector>

#include "cli/console_host.h"
#include "operations/host.h"

namespace vx::cli {

// A port that does not open is a fault of its own; numbers the format cannot
// carry and a list used up are faults of what was asked; a guard's refusal is
// a card not written; the shared record's, the shared record's fault.
int ExitStatusOf(Refusal why);

// The status of a handler's message boxes, in the order shown: a port that
// does not open decides whatever else was shown; otherwise the first box
// decides, a notice meaning a card not written. Nothing when none was shown.
std::optional<int> StatusOfMessages(const std::vector<ConsoleHost::Message>& messages);

}  // namespace vx::cli
