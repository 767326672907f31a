#pragma once
// The facts of one Write Card or Read Card that reached the device, as one
// plain value. The flow decides it; List1, the record, the result banner and
// the batch tally each take what they need from it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "carddata/card_data.h"
#include "carddata/card_verdict.h"
#include "device/frame.h"

namespace vx {

inline bool IsWrite(CardVerdict verdict) {
  return verdict != CardVerdict::Read && verdict != CardVerdict::ReadFailed && verdict != CardVerdict::ReadRefused;
}
inline bool IsFailure(CardVerdict verdict) { return verdict != CardVerdict::Written && verdict != CardVerdict::Read; }

struct CardOutcome {
  CardVerdict verdict = CardVerdict::ReadFailed;
  std::string port;            // the port name that was opened
  std::string_view tab;        // the tab's caption
  std::string format;          // the format name used, or EM4100
  FormatParams params;         // the layout numbers sent
  std::optional<CardNumbers> sent;  // a write's numbers
  // A card taken from the card-number list: its 1-based entry, the list's
  // length and the file it came from. 0 for a typed card and for a read.
  int entry = 0;
  int listLength = 0;
  std::string listFile;
  std::string printed;         // the number printed on the card written, when known; empty for a read
  std::optional<CardNumbers> read;  // what the card gave back
  std::string station;         // this station, as the shared record names it; empty with it off
};

}  // namespace vx
