#pragma once
// The lines the simulated device writes to its frame log.
//
//   <- 02 01 00 00 03 03          a frame received
//   <- (skipped) FF 13            bytes thrown away before a frame
//   -> 02 01 00 00 03 03          a reply sent
//   -- card EM4100, 64 bits: ...  the card's image after a write

#include <span>
#include <string>
#include <vector>

#include "sim/device_model.h"

namespace vx::sim {

// "02 01 A5 0B" (upper case, one blank between bytes).
std::string HexBytes(std::span<const std::uint8_t> bytes);

std::string ReceivedLine(const Bytes& frame);
std::string SkippedLine(const Bytes& skipped);
std::string SentLine(const Bytes& reply);
std::string CardLine(const CardImage& card);

// The lines for an exchange as it is taken in: the skipped bytes, the frame and,
// after a write, the new card image. The reply is logged when it has gone out.
std::vector<std::string> ReceiveLines(const Exchange& exchange);

}  // namespace vx::sim
