#include "operations/unsettled_reservations.h"

#include <optional>
#include <vector>

#include "operations/missing_format.h"
#include "operations/tabs.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "operations/card_kinds.h"
#include "store/store_journal.h"

namespace vx {

namespace {

std::string Named(const Credential& c) {
  return std::to_string(c.facilityCode) + "," + std::to_string(c.cardNumber) + " (" + c.format + ")";
}

// How this program reads a card of the format, when it has the format at all.
std::optional<CardBinding> BindingOf(FormState& state, const std::string& format) {
  const TabSpec* tab = TabOfCardFormat(format);
  if (!tab || TabLacksFormat(state.formats, *tab)) return std::nullopt;
  return BindingOfTab(state, *tab);
}

}  // namespace

std::string UnsettledReadQuestion(const Credential& credential) {
  // TRANSLATORS: %s is the card's numbers and format ("12,1000 (HID26)").
  return Format(Tr("An earlier run of this station stopped while writing %s, so a card may hold it. Put that card on "
                   "the reader and read it now? No leaves it unknown in the shared record."),
                Named(credential));
}

std::string UnsettledOutcomeText(const Credential& credential, CredentialState settled) {
  // TRANSLATORS: %s is the card's numbers and format ("12,1000 (HID26)").
  if (settled == CredentialState::Written)
    return Format(Tr("%s: the card holds it; it is written in the shared record."), Named(credential));
  // TRANSLATORS: %s is the card's numbers and format ("12,1000 (HID26)").
  return Format(Tr("%s: not found on a card; it is unknown in the shared record and is written again only on a Yes."),
                Named(credential));
}

void TakeUpSharedRecord(Device& dev, bool ask) {
  SharedRecordState& shared = dev.state.shared;
  if (!shared.store) return;
  SharedStore& store = *shared.store;
  const auto tell = [&](const std::string& text) {
    if (!dev.host.Closing()) dev.host.ShowMessage(text);
  };
  if (!shared.journalPath.empty()) {
    const JournalReplay replay = ReplayJournal(shared.journalPath, store);
    if (!replay.told.empty()) tell(replay.Told());
    if (replay.fault) return tell(replay.fault->Message());
  }
  std::vector<CredentialRow> rows;
  if (const auto fault = store.UnsettledFromEarlierRuns(rows)) return tell(fault->Message());

  bool portOpen = false;
  std::string said;
  for (const CredentialRow& row : rows) {
    const Credential& credential = row.credential;
    const std::optional<CardBinding> binding = BindingOf(dev.state, credential.format);
    CredentialState settled = CredentialState::Unknown;
    if (binding && (!ask || dev.host.AskYesNo(UnsettledReadQuestion(credential), Answer::Yes))) {
      // A port that does not open leaves the rows as they are, for the next connection.
      if (!portOpen && !(portOpen = OpenDevicePort(dev))) break;
      const ReplyOutcome reply = AwaitReply(dev, ReadCardCommand(binding->params), ReplyKind::CardData);
      if (dev.host.Closing()) break;
      if (reply.accepted()) {
        const CardNumbers held = binding->decode(CardDataOf(reply.reply));
        if (held.facilityCode == credential.facilityCode && held.cardNumber == credential.cardNumber)
          settled = CredentialState::Written;
      }
    }
    if (const auto fault = store.Resolve(credential, settled)) {
      said += (said.empty() ? "" : "\n") + fault->Message();
      break;
    }
    said += (said.empty() ? "" : "\n") + UnsettledOutcomeText(credential, settled);
  }
  if (portOpen) ClosePort(dev);
  if (!said.empty()) tell(said);
}

}  // namespace vx
