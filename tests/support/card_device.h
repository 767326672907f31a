#pragma once
// A reader/writer with a card in its field: it acknowledges writes, keeps what
// was written on the card, and answers reads with it. Fault switches make a
// chosen write go wrong in the ways a real device does.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "device/frame.h"
#include "support/fake_link.h"

namespace vx::test {

enum class CardFault {
  None,
  Silent,             // the write is never answered; the card keeps its old data
  Refuse,             // the write is answered with status 01; the card keeps its old data
  AckNoRead,          // the write lands, but the read-back is never answered
  WrongReadBack,      // the card takes other data than sent (card number + 1)
  MalformedReadBack,  // the write lands, the read-back carries status 03
  OtherFacilityCode,  // the card takes the card number sent under the next facility code
};

class CardInFieldDevice {
 public:
  using Data = std::array<std::uint8_t, 5>;

  // Answers every frame written to `link` from now on.
  void Attach(FakeLink& link);

  // The fault of the n-th write frame (0-based); None when unset.
  std::function<CardFault(int writeIndex)> faultOf;
  // Ticks between a frame and its answer (0: the next tick).
  int answerDelay = 1;

  std::optional<Data> card;          // what the card in the field carries
  // The layout the card is coded in (all zero: EM4100): a read in another
  // layout is refused with status 04, as a reader refuses a card of another
  // format. Unset: every read gets the card, whatever its layout.
  std::optional<FormatParams> codedIn;
  // With codedIn: every HID layout reads the card alike (the simulator's
  // anylayout device); an EM4100 read still finds no EM4100 card, and back.
  bool anyHidLayout = false;
  std::vector<Data> cardsWritten;    // the card after every write that landed
  int writeFrames = 0;
  int readFrames = 0;

 private:
  void Answer(const Bytes& frame, FakeLink& link);
  bool ReadsIn(const FormatParams& layout) const;
  CardFault readFault_ = CardFault::None;  // the pending read-back's fault
};

}  // namespace vx::test
