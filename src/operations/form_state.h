#pragma once
// The form-level state of the window, owned by it for its whole life and
// handed to every handler.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "cardlist/card_list.h"
#include "operations/poll_count.h"
#include "formats/format_table.h"
#include "record/record_index.h"
#include "store/shared_store.h"
#include "store/station_lock.h"

namespace vx {

// Failed write attempts of list cards since the list was loaded.
struct BatchTally {
  int failedAttempts = 0;
};

// The card the last confirmed write of this run made, in the format it was
// written in: a card still holding it is the one just written.
struct LastWrittenCard {
  std::string format;
  std::uint32_t facilityCode = 0;
  std::uint32_t cardNumber = 0;
};

// The shared record while "Shared Record" is ticked: the store every station
// writes through, and what one press has in hand of it.
struct SharedRecordState {
  // This station's lock on the computer, held while the store is connected;
  // declared first, so the store is closed before the lock goes.
  std::unique_ptr<StationLock> stationLock;
  std::unique_ptr<SharedStore> store;  // null while the shared record is off
  std::string journalPath;             // the settles the store has not taken yet
  // The credential reserved for the card in hand, until its outcome is settled.
  struct InHand {
    Credential credential;
    Reservation reservation;
  };
  std::optional<InHand> inHand;
  // Why the last press wrote nothing: the store could not be reached before
  // its write. Cleared at the next press.
  std::optional<StoreFault> stoppedBy;
};

struct FormState {
  FormatTable formats;                 // FormatTable, FormatCount
  std::string Em4100FcText = "1";
  std::string Em4100CnText = "1";
  bool BusyFlag = false;               // one handler at a time
  PollCounter PollCount;               // ticks since a wait reset it, 0..999, off a monotonic clock
  CardList cards;                      // CardList, CardCount, CardCursor
  BatchTally tally;
  std::string recordPath;              // the card record while "Keep Record" is ticked, else empty
  RecordIndex recordIndex;             // the cards the record has as written
  bool checkCardFirst = false;         // "Check Card First": read the card before writing it
  bool checkPrintedNumber = false;     // "Check Printed Number": ask for the card's printed number before writing it
  std::uint64_t printedOffset = 0;     // a card's printed number less its card number, for files without them
  std::optional<LastWrittenCard> lastWritten;
  SharedRecordState shared;
};

// One tick of a window that counts its own ticks (fake windows in tests);
// a real window's PollCount follows the clock.
inline void TimerTick(FormState& state) { state.PollCount.Tick(); }

// Holds BusyFlag for the life of a handler and clears it on every way out.
// Taken only when BusyFlag was clear: check Taken() first.
class BusyGuard {
 public:
  explicit BusyGuard(FormState& state) : state_(state), taken_(!state.BusyFlag) {
    if (taken_) state_.BusyFlag = true;
  }
  ~BusyGuard() {
    if (taken_) state_.BusyFlag = false;
  }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;
  bool Taken() const { return taken_; }

 private:
  FormState& state_;
  bool taken_;
};

}  // namespace vx
