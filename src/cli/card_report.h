#pragma once
// How a card's outcome reads on the console: the window's banner words, one
// line a card, or the record's fields as one JSON object a line for scripts.

#include <string>
#include <vector>

#include "core/result_banner.h"
#include "operations/card_outcome.h"
#include "store/shared_store.h"
#include "store/store_journal.h"

namespace vx::cli {

// "card 2 of 5: ✔ Written and verified: 12,1001"; the banner alone for a run
// of one card.
std::string CardLine(const CardOutcome& outcome, int card, int cards);
// {"time":"...","port":"/dev/ttyUSB0",...,"outcome":"written",...}: the
// record's columns by their header names.
std::string JsonLine(const CardOutcome& outcome);
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
