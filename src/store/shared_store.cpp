#include "store/shared_store.h"

#include "i18n/text_format.h"
#include "i18n/translate.h"

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
  // Drivers end their sentences themselves; one full stop is enough.
  std::string said = reason;
  while (!said.empty() && (said.back() == '.' || said.back() == ' ' || said.back() == '\n' || said.back() == '\r'))
    said.pop_back();
  // TRANSLATORS: the server or data source ("db1"), then the reason, often
  // the database driver's own words in its own language.
  return Format(Tr("The shared record cannot be reached: %1$s: %2$s."), where, said);
}

}  // namespace vx
