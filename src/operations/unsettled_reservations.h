#pragma once
// A shared record just reached. First the settles the journal kept go in;
// then the reservations this station left in an earlier run (a crash, a
// power cut between reserve and settle) are settled from the card on the
// reader: the card holds the numbers, so the credential is written; or it
// does not, and the credential is unknown, written again only on a Yes.

#include <string>
#include <string_view>

#include "operations/device_link.h"
#include "store/shared_store.h"

namespace vx {

// `ask`: the window asks before each read (Yes preset; No leaves it
// unknown); the console reads at once. The caller holds BusyFlag.
void TakeUpSharedRecord(Device& dev, bool ask);

// The words.
std::string UnsettledReadQuestion(const Credential& credential);
std::string UnsettledOutcomeText(const Credential& credential, CredentialState settled);

}  // namespace vx
