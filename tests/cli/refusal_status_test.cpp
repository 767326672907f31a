#include "cli/refusal_status.h"

#include <gtest/gtest.h>

#include "cli/cli_arguments.h"

namespace vx::cli {
namespace {

// The exit status goes by what each box stands for; the words are never read,
// so every case here shows the same words.
TEST(RefusalStatus, GoesByKindInTheOrderShown) {
  struct Case {
    const char* what;
    std::vector<std::optional<Refusal>> shown;  // nullopt: a notice
    std::optional<int> status;
  };
  const Case cases[] = {
      {"nothing shown", {}, std::nullopt},
      {"a notice alone", {std::nullopt}, kExitCardFailed},
      {"the port", {Refusal::Port}, kExitPort},
      {"the port after a notice", {std::nullopt, Refusal::Port}, kExitPort},
      {"the facility code", {Refusal::FacilityCode}, kExitUsage},
      {"the card number", {Refusal::CardNumber}, kExitUsage},
      {"the list's end", {Refusal::ListEnd}, kExitUsage},
      {"the facility code after a notice", {std::nullopt, Refusal::FacilityCode}, kExitCardFailed},
      {"a missing format", {Refusal::MissingFormat}, kExitCardFailed},
      {"the card just written", {Refusal::JustWritten}, kExitCardFailed},
      {"the printed number", {Refusal::PrintedNumber}, kExitCardFailed},
      {"the shared record", {Refusal::SharedRecord}, kExitSharedRecord},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ConsoleHost::Message> messages;
    for (const std::optional<Refusal>& kind : c.shown) messages.push_back({"Facility Code is Error!", kind});
    EXPECT_EQ(StatusOfMessages(messages), c.status);
  }
}

}  // namespace
}  // namespace vx::cli
