#include "store/shared_store.h"

#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

namespace {

// The words vx_cards and the journal keep for each state.
struct StateName {
  CredentialState state;
  const char* word;
};
constexpr StateName kStateNames[] = {
    {CredentialState::Reserved, "reserved"},
    {CredentialState::Written, "written"},
    {CredentialState::Unknown, "unknown"},
    {CredentialState::Free, "free"},
};

}  // namespace

const char* StateWord(CredentialState state) {
  for (const StateName& name : kStateNames)
    if (name.state == state) return name.word;
  return "unknown";
}

std::optional<CredentialState> StateOfWord(std::string_view word) {
  for (const StateName& name : kStateNames)
    if (word == name.word) return name.state;
  return std::nullopt;
}

std::string StoreFault::Reason() const {
  // Drivers end their sentences themselves; the message adds its own full stop.
  std::string text = reason;
  while (!text.empty() && (text.back() == '.' || text.back() == ' ' || text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return text;
}

std::string StoreFault::Message() const {
  if (refused) {
    // TRANSLATORS: the server answered but will not take what was asked, for
    // good; %1$s is where the store is (db1), %2$s the database driver's own
    // words.
    return Format(Tr("The shared record refused it: %1$s: %2$s."), where, Reason());
  }
  // TRANSLATORS: %1$s is where the store is (a server or a data source, e.g.
  // db1), %2$s the database driver's own words.
  return Format(Tr("The shared record cannot be reached: %1$s: %2$s."), where, Reason());
}

std::string PlaceText(const StorePlace& place) {
  const bool inClear = place.encrypted == false;
  if (!place.database.empty() && !place.server.empty()) {
    if (inClear) {
      // TRANSLATORS: where the shared record is: "cards on db1, station
      // DESK-2, not encrypted" (the connection to the database server is
      // not encrypted); %1$s is the database, %2$s its server, %3$s this
      // station's name.
      return Format(Tr("%1$s on %2$s, station %3$s, not encrypted"), place.database, place.server, place.station);
    }
    // TRANSLATORS: where the shared record is: "cards on db1, station DESK-2";
    // %1$s is the database, %2$s its server, %3$s this station's name.
    return Format(Tr("%1$s on %2$s, station %3$s"), place.database, place.server, place.station);
  }
  const std::string& where = place.database.empty() ? place.server : place.database;
  if (inClear) {
    // TRANSLATORS: where the shared record is: "db1, station DESK-2, not
    // encrypted" (the connection to the database server is not encrypted);
    // %1$s is the database or its server, %2$s this station's name.
    return Format(Tr("%1$s, station %2$s, not encrypted"), where, place.station);
  }
  // TRANSLATORS: where the shared record is: "db1, station DESK-2"; %1$s is
  // the database or its server, %2$s this station's name.
  return Format(Tr("%1$s, station %2$s"), where, place.station);
}

}  // namespace vx
