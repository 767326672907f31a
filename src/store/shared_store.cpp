#include "store/shared_store.h"

namespace vx {

const char* StateWord(CredentialState state) {
  switch (state) {
    case CredentialState::Reserved: return "reserved";
    case CredentialState::Written: return "written";
    case CredentialState::Unknown: return "unknown";
  }
  return "unknown";
}

std::string StoreFault::Message() const {
  std::string text = "The shared record cannot be reached: " + where + ": " + reason;
  // Drivers end their sentences themselves; one full stop is enough.
  while (!text.empty() && (text.back() == '.' || text.back() == ' ' || text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return text + ".";
}

}  // namespace vx
