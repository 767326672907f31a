#pragma once
// The frames spoken with the reader/writer.
//
//   command: 02 01 <code> <N> <N data bytes> <check> 03
//   check  : XOR of every byte before it, STX included
//
// Replies mirror the layout; only the positions named in ReplyPasses are examined.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/serial_link.h"

namespace vx {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kFrameConstant = 0x01;

enum class CommandCode : std::uint8_t { Link = 0x00, ReadCard = 0xA4, WriteCard = 0xA5 };

// The four layout numbers that select the device's card coding.
struct FormatParams {
  std::uint8_t p1 = 0, p2 = 0, p3 = 0, p4 = 0;
};

// Five bytes carrying a facility code and a card number (layout per format kind).
using CardData = std::array<std::uint8_t, 5>;

std::uint8_t CheckByte(std::span<const std::uint8_t> bytes);
Bytes BuildFrame(CommandCode code, std::span<const std::uint8_t> data);

Bytes LinkCommand();
Bytes ReadCardCommand(const FormatParams& params);
Bytes WriteCardCommand(const FormatParams& params, const CardData& data);

enum class ReplyKind { LinkAck, WriteAck, CardData };

// Bytes that must be waiting before a reply of this kind is taken: 6 or 11.
std::size_t ReplyLength(ReplyKind kind);
// The reply test: AckReply 02 .. 00 .. .. 03, CardDataReply 02 .. 00 05 ...
// Fewer bytes than ReplyLength never pass.
bool ReplyPasses(ReplyKind kind, std::span<const std::uint8_t> reply);
// d0..d4 of a CardDataReply (bytes 4..8). Requires at least 9 bytes.
CardData CardDataOf(std::span<const std::uint8_t> reply);

}  // namespace vx
