#include "device/frame.h"

namespace vx {

std::uint8_t CheckByte(std::span<const std::uint8_t> bytes) {
  std::uint8_t x = 0;
  for (std::uint8_t b : bytes) x ^= b;
  return x;
}

Bytes BuildFrame(CommandCode code, std::span<const std::uint8_t> data) {
  Bytes frame;
  frame.reserve(data.size() + 6);
  frame.push_back(kStx);
  frame.push_back(kFrameConstant);
  frame.push_back(static_cast<std::uint8_t>(code));
  frame.push_back(static_cast<std::uint8_t>(data.size()));
  for (std::uint8_t b : data) frame.push_back(b);
  frame.push_back(CheckByte(frame));
  frame.push_back(kEtx);
  return frame;
}

Bytes LinkCommand() { return BuildFrame(CommandCode::Link, {}); }

namespace {
std::array<std::uint8_t, 11> CardCommandData(const FormatParams& p, const CardData& d) {
  return {0x00, 0x00, p.p1, p.p2, p.p3, p.p4, d[0], d[1], d[2], d[3], d[4]};
}
}  // namespace

Bytes ReadCardCommand(const FormatParams& params) {
  return BuildFrame(CommandCode::ReadCard, CardCommandData(params, CardData{}));
}

Bytes WriteCardCommand(const FormatParams& params, const CardData& data) {
  return BuildFrame(CommandCode::WriteCard, CardCommandData(params, data));
}

std::size_t ReplyLength(ReplyKind kind) { return kind == ReplyKind::CardData ? 11 : 6; }

bool ReplyPasses(ReplyKind kind, std::span<const std::uint8_t> reply) {
  if (reply.size() < ReplyLength(kind)) return false;
  if (reply[0] != kStx || reply[2] != 0x00) return false;
  if (kind == ReplyKind::CardData) return reply[3] == 0x05;
  return reply[5] == kEtx;
}

CardData CardDataOf(std::span<const std::uint8_t> reply) {
  return {reply[4], reply[5], reply[6], reply[7], reply[8]};
}

}  // namespace vx
