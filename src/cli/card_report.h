#pragma once
// How a card's outcome reads on the console: the window's banner words, one
// line a card, or the record's fields as one JSON object a line for scripts.

#include <optional>
#include <string>
#include <vector>

#include "operations/result_banner.h"
#include "carddata/card_outcome.h"
#include "operations/shared_record_flow.h"
#include "store/shared_store.h"
#include "store/store_journal.h"

namespace vx::cli {

// Whether the shared record has the outcome; nothing with no shared record on.
// An outcome with any note is not in it (yet), whatever the note says.
std::optional<bool> InSharedRecord(const CardOutcome& outcome, const SharedRecordNote& note);
// "card 2 of 5: ✔ Written and verified: 12,1001", with the note the window's
// banner adds ("…, not yet in the shared record"); the banner alone for a run
// of one card. Text from outside in it is escaped for a terminal.
std::string CardLine(const CardOutcome& outcome, const SharedRecordNote& note, int card, int cards);
// A card's words in its place in the run, "card 2 of 5: …"; the words alone
// for a run of one card. Escaped for a terminal.
std::string PlacedLine(const std::string& words, int card, int cards);
// {"time":"...","port":"/dev/ttyUSB0",...,"outcome":"written",...}: the
// record's columns by their header names, then "in_shared_record" when the
// shared record is on.
std::string JsonLine(const CardOutcome& outcome, std::optional<bool> inSharedRecord = std::nullopt);
// The summary's line for the cards whose outcome the journal still keeps:
// "2 cards not yet in the shared record: kept in the journal, committed at
// the next run".
std::string OnlyInJournalText(int cards);
// The text in the tone's colour for a terminal.
std::string Coloured(const std::string& text, BannerTone tone);
// The tone of an outcome's banner.
BannerTone ToneOf(const CardOutcome& outcome);
// `store status`: a line a station and state with its count, then every
// unknown credential and every reservation older than an hour, a line each.
std::string StoreStatusText(const StoreStatus& status);
// `store status` on this computer: the settles the shared record refused for
// good, kept aside beside the journals, a line each with the file that keeps it.
std::string KeptAsideText(const std::vector<KeptAside>& kept);

}  // namespace vx::cli
