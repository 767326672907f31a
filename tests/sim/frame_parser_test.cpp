#include "sim/frame_parser.h"

#include <gtest/gtest.h>

#include "device/frame.h"

namespace vx::sim {
namespace {

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Feeds `stream` in pieces of the given sizes (the rest in one last piece).
std::vector<ParsedFrame> FeedInPieces(FrameParser& parser, const Bytes& stream, std::vector<std::size_t> sizes) {
  std::vector<ParsedFrame> frames;
  std::size_t at = 0;
  auto feed = [&](std::size_t n) {
    for (auto& f : parser.Feed(std::span(stream).subspan(at, n))) frames.push_back(std::move(f));
    at += n;
  };
  for (std::size_t n : sizes) feed(std::min(n, stream.size() - at));
  feed(stream.size() - at);
  return frames;
}

std::vector<std::size_t> ByteByByte(std::size_t n) { return std::vector<std::size_t>(n, 1); }

TEST(FrameParser, CutsFramesHoweverTheyArrive) {
  const Bytes link = LinkCommand();
  const Bytes write = WriteCardCommand({8, 16, 0, 0}, {0x00, 0x7B, 0x00, 0x01, 0x2C});
  // A write whose data holds a complete link frame: it must not be cut out of it.
  const Bytes linkInside = WriteCardCommand({0, 0, 0x02, 0x01}, {0x00, 0x00, 0x03, 0x03, 0x00});
  struct Case {
    const char* name;
    Bytes stream;
    std::vector<std::size_t> pieces;
    std::vector<Bytes> frames;
    Bytes skipped;  // before the first frame
  };
  const Case cases[] = {
      {"link whole", link, {}, {link}, {}},
      {"link byte by byte", link, ByteByByte(6), {link}, {}},
      {"write in two halves", write, {8}, {write}, {}},
      {"write byte by byte", write, ByteByByte(17), {write}, {}},
      {"two frames in one piece", Concat({link, write}), {}, {link, write}, {}},
      {"garbage before", Concat({{0xFF, 0x00, 0x13}, link}), {}, {link}, {0xFF, 0x00, 0x13}},
      {"stray STX before", Concat({{0x02, 0x55}, link}), {1}, {link}, {0x02, 0x55}},
      {"length too big, then a frame", Concat({{0x02, 0x01, 0x00, 0x30}, link}), ByteByByte(10), {link},
       {0x02, 0x01, 0x00, 0x30}},
      {"wrong closing byte, then a frame", Concat({{0x02, 0x01, 0x00, 0x00, 0x03, 0x04}, link}), {}, {link},
       {0x02, 0x01, 0x00, 0x00, 0x03, 0x04}},
      {"frame inside a frame's data, byte by byte", linkInside, ByteByByte(17), {linkInside}, {}},
  };
  for (const auto& c : cases) {
    FrameParser parser;
    const auto frames = FeedInPieces(parser, c.stream, c.pieces);
    ASSERT_EQ(frames.size(), c.frames.size()) << c.name;
    for (std::size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].bytes, c.frames[i]) << c.name;
      EXPECT_TRUE(frames[i].checkOk) << c.name;
    }
    EXPECT_EQ(frames[0].skippedBefore, c.skipped) << c.name;
    EXPECT_FALSE(parser.HasPartialFrame()) << c.name;
  }
}

TEST(FrameParser, MarksABadCheckByte) {
  Bytes link = LinkCommand();
  link[4] ^= 0x40;
  FrameParser parser;
  const auto frames = parser.Feed(link);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_FALSE(frames[0].checkOk);
}

TEST(FrameParser, AQuietLineGivesUpOnAFrameThatCannotEnd) {
  // 02 01 00 0B announces 11 data bytes that never come; the real link frame
  // behind it must not wait for a 17th byte.
  FrameParser parser;
  EXPECT_TRUE(parser.Feed(Bytes{0x02, 0x01, 0x00, 0x0B, 0x44}).empty());
  EXPECT_TRUE(parser.Feed(LinkCommand()).empty());
  EXPECT_TRUE(parser.HasPartialFrame());
  const auto frames = parser.LineIdle();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].bytes, LinkCommand());
  EXPECT_EQ(frames[0].skippedBefore, (Bytes{0x02, 0x01, 0x00, 0x0B, 0x44}));
  EXPECT_TRUE(parser.LineIdle().empty());
}

}  // namespace
}  // namespace vx::sim
