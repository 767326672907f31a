#include "cli/refusal_status.h"

#include "cli/cli_arguments.h"

namespace vx::cli {

int ExitStatusOf(Refusal why) {
  switch (why) {
    case Refusal::Port: return kExitPort;
    case Refusal::FacilityCode:
    case Refusal::CardNumber:
    case Refusal::ListEnd: return kExitUsage;
    case Refusal::SharedRecord: return kExitSharedRecord;
    case Refusal::MissingFormat:
    case Refusal::JustWritten:
    case Refusal::PrintedNumber: break;
  }
  return kExitCardFailed;
}

std::optional<int> StatusOfMessages(const std::vector<ConsoleHost::Message>& messages) {
  std::optional<int> status;
  for (const ConsoleHost::Message& message : messages) {
    if (message.refusal == Refusal::Port) return kExitPort;
    if (!status) status = message.refusal ? ExitStatusOf(*message.refusal) : kExitCardFailed;
  }
  return status;
}

}  // namespace vx::cli
