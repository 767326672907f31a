#include "sim/frame_parser.h"

#include "device/frame.h"

namespace vx::sim {

std::vector<ParsedFrame> FrameParser::Feed(std::span<const std::uint8_t> bytes) {
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  return Scan();
}

std::vector<ParsedFrame> FrameParser::LineIdle() {
  if (buffer_.empty()) return {};
  Skip(1);
  return Scan();
}

void FrameParser::Skip(std::size_t count) {
  skipped_.insert(skipped_.end(), buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
}

std::vector<ParsedFrame> FrameParser::Scan() {
  std::vector<ParsedFrame> frames;
  for (;;) {
    std::size_t stx = 0;
    while (stx < buffer_.size() && buffer_[stx] != kStx) ++stx;
    Skip(stx);
    if (buffer_.size() < 2) break;
    if (buffer_[1] != kFrameConstant) {
      Skip(1);
      continue;
    }
    if (buffer_.size() < 4) break;
    const std::size_t n = buffer_[3];
    if (n > kMaxDataBytes) {
      Skip(1);
      continue;
    }
    const std::size_t length = n + 6;
    if (buffer_.size() < length) break;
    if (buffer_[length - 1] != kEtx) {
      Skip(1);
      continue;
    }
    ParsedFrame frame;
    frame.bytes.assign(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(length));
    frame.checkOk = CheckByte(std::span(frame.bytes).first(length - 2)) == frame.bytes[length - 2];
    frame.skippedBefore = std::move(skipped_);
    skipped_.clear();
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(length));
    frames.push_back(std::move(frame));
  }
  return frames;
}

}  // namespace vx::sim
