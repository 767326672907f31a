#include "sim/sim_log.h"

namespace vx::sim {

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t b : bytes) {
    if (!text.empty()) text.push_back(' ');
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 0x0F]);
  }
  return text;
}

std::string ReceivedLine(const Bytes& frame) { return "<- " + HexBytes(frame); }
std::string SkippedLine(const Bytes& skipped) { return "<- (skipped) " + HexBytes(skipped); }
std::string SentLine(const Bytes& reply) { return "-> " + HexBytes(reply); }
std::string CardLine(const CardImage& card) { return "-- card " + DescribeCard(card); }

std::vector<std::string> ReceiveLines(const Exchange& exchange) {
  std::vector<std::string> lines;
  if (!exchange.received.skippedBefore.empty()) lines.push_back(SkippedLine(exchange.received.skippedBefore));
  std::string received = ReceivedLine(exchange.received.bytes);
  if (!exchange.received.checkOk) received += "   (bad check byte)";
  lines.push_back(std::move(received));
  if (exchange.written) lines.push_back(CardLine(*exchange.written));
  return lines;
}

}  // namespace vx::sim
