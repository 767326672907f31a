#pragma once
// Cuts command frames out of a byte stream that arrives in arbitrary pieces.
//
//   02 01 <code> <N> <N data bytes> <check> 03,   N at most 11
//
// Bytes before an STX are skipped. A would-be frame whose N is too large, whose
// byte 1 is not 01 or whose closing byte is not 03 was not a frame: its STX is
// dropped and the search goes on from the next byte, so a stray 02 never costs
// the real frame behind it. A frame with a wrong check byte is still handed out
// (marked), because the device answers it with an error status.

#include <cstddef>
#include <span>
#include <vector>

#include "device/serial_link.h"

namespace vx::sim {

inline constexpr std::size_t kMaxDataBytes = 11;  // the longest frame is 17 bytes

struct ParsedFrame {
  Bytes bytes;            // the whole frame, STX to ETX
  bool checkOk = false;   // the check byte matches
  Bytes skippedBefore;    // bytes thrown away since the previous frame
};

class FrameParser {
 public:
  std::vector<ParsedFrame> Feed(std::span<const std::uint8_t> bytes);
  // The line has been quiet for a while: a partial frame still waiting for its
  // rest will never get it (its length byte was probably corrupt). Gives up on
  // its STX and rescans what followed it.
  std::vector<ParsedFrame> LineIdle();
  // A frame has begun but not ended.
  bool HasPartialFrame() const { return !buffer_.empty(); }

 private:
  std::vector<ParsedFrame> Scan();
  void Skip(std::size_t count);

  Bytes buffer_;   // starts with an STX whenever it is not empty
  Bytes skipped_;
};

}  // namespace vx::sim
