#pragma once
// The simulated reader/writer: takes the bytes the program sends, and answers
// like the device would, with a card in its field that is really written and
// really read (a Wiegand or EM4100 bit image, parities and all), not an echo.
//
// The model keeps no clock. Each answer comes as a list of chunks, each to be
// sent after its delay; whoever serves the model (SimLink in-process, PtyServer
// on a pseudo-terminal) waits those delays out.
//
// Replies (the check byte is the XOR of the bytes before it, as in commands):
//   acknowledgement   02 01 <status> 00 <check> 03
//   card data         02 01 <status> 05 d0 d1 d2 d3 d4 <check> 03
// A read that fails still answers in the card-data shape, with a non-zero status
// and zero data; everything else that fails answers in the acknowledgement shape.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/frame.h"
#include "sim/card_image.h"
#include "sim/faults.h"
#include "sim/frame_parser.h"
#include "sim/wiegand.h"

namespace vx::sim {

// Reply status bytes.
inline constexpr std::uint8_t kStatusOk = 0x00;
inline constexpr std::uint8_t kStatusNoCard = 0x01;          // nothing to read, or the write was refused
inline constexpr std::uint8_t kStatusBadCheck = 0x02;        // the command's check byte is wrong
inline constexpr std::uint8_t kStatusUnknownCommand = 0x03;  // unknown code, or a known code with the wrong N
inline constexpr std::uint8_t kStatusWrongFormat = 0x04;     // the card is not of the format asked for
inline constexpr std::uint8_t kStatusParity = 0x05;          // the card's image fails its parity checks
inline constexpr std::uint8_t kStatusTooWide = 0x06;         // a value does not fit the format, or CardData

using Micros = std::chrono::microseconds;

struct DeviceTiming {
  // 9600 baud, 11 bit times a byte (start, 8 data, 2 stop).
  Micros byteTime{1146};
  Micros linkTime{1000};
  Micros readTime{5000};
  Micros writeTime{40000};
  // How long the line must stay quiet before a half-received frame is given up.
  Micros idleTimeout{50000};

  static DeviceTiming Instant() { return {Micros{0}, Micros{0}, Micros{0}, Micros{0}, Micros{50000}}; }
};

// The gap between the pieces of a split reply. Kept even without delays, since
// the pieces arriving apart is the point of that fault.
inline constexpr Micros kSplitGap{30000};
inline constexpr int kSplitPieces = 3;
// The gap after each byte of a bytewise reply: longer than a Timer1 tick, so
// every byte arrives on its own, yet card data is whole well within the wait.
inline constexpr Micros kBytewiseGap{15000};
// What the garbage fault sends before a reply (no STX among them).
inline constexpr std::uint8_t kGarbageBytes[] = {0x00, 0xFF, 0x5A};

struct DeviceOptions {
  FaultSet faults;
  DeviceTiming timing;
  // The card in the field at power-on: an EM4100 card with facility code 1 and
  // card number 1, so that a first Read Card on the EM4100 tab shows something.
  // Nothing (std::nullopt) is an empty field, whose reads answer status 01.
  std::optional<CardImage> initialCard = DefaultCard();
  // The status the link test is answered with; another than kStatusOk makes a
  // device that answers but will not link.
  std::uint8_t linkStatus = kStatusOk;

  static CardImage DefaultCard();
};

struct ReplyChunk {
  Micros delayBefore{0};
  Bytes bytes;
};

// One frame taken in and what the device does about it.
struct Exchange {
  ParsedFrame received;
  Bytes reply;                       // everything sent in answer, garbage included; empty: no answer
  std::vector<ReplyChunk> schedule;  // `reply` cut into timed chunks
  bool hangUp = false;               // the device drops the line instead of answering
  std::optional<CardImage> written;  // the card's image after a write that changed it
};

class DeviceModel {
 public:
  explicit DeviceModel(DeviceOptions options = {});

  // Bytes from the program, in whatever pieces; one exchange per frame completed.
  std::vector<Exchange> Receive(std::span<const std::uint8_t> bytes);
  // The line has been quiet for timing.idleTimeout with a frame half received.
  std::vector<Exchange> LineIdle();
  bool HasPartialFrame() const { return parser_.HasPartialFrame(); }

  const std::optional<CardImage>& CardInField() const { return card_; }
  void PlaceCard(std::optional<CardImage> card) {
    card_ = std::move(card);
    cardLayout_.reset();
  }
  const DeviceOptions& Options() const { return options_; }

 private:
  Exchange Answer(ParsedFrame frame);
  // Sets reply and schedule from a reply frame, applying the reply faults.
  void Send(Exchange& exchange, Bytes replyFrame, Micros processing) const;
  Bytes Write(std::span<const std::uint8_t> data, std::optional<CardImage>& written);
  Bytes Read(std::span<const std::uint8_t> data) const;

  DeviceOptions options_;
  FrameParser parser_;
  std::optional<CardImage> card_;
  // The layout the Wiegand card in the field was written in, when this device wrote it.
  std::optional<WiegandLayout> cardLayout_;
};

Bytes AckReply(std::uint8_t status);
Bytes CardDataReply(std::uint8_t status, const CardData& data);

}  // namespace vx::sim
