#include "device/frame.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

struct WorkedFrame {
  const char* name;
  Bytes built;
  Bytes expected;
};

TEST(Frame, WorkedFramesByteForByte) {
  const FormatParams em4100{};
  const FormatParams p0810{0x08, 0x10, 0x00, 0x00};
  const WorkedFrame cases[] = {
      {"link", LinkCommand(), {0x02, 0x01, 0x00, 0x00, 0x03, 0x03}},
      {"read EM4100", ReadCardCommand(em4100),
       {0x02, 0x01, 0xA4, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xAC, 0x03}},
      {"read 08 10", ReadCardCommand(p0810),
       {0x02, 0x01, 0xA4, 0x0B, 0, 0, 0x08, 0x10, 0, 0, 0, 0, 0, 0, 0, 0xB4, 0x03}},
      {"write 123/300", WriteCardCommand(p0810, {0x00, 0x7B, 0x00, 0x01, 0x2C}),
       {0x02, 0x01, 0xA5, 0x0B, 0, 0, 0x08, 0x10, 0, 0, 0x00, 0x7B, 0x00, 0x01, 0x2C, 0xE3, 0x03}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.built, c.expected) << c.name;
}

TEST(Frame, ReplyTests) {
  struct Case {
    const char* name;
    ReplyKind kind;
    Bytes reply;
    bool passes;
  };
  const Case cases[] = {
      {"ack, any filler", ReplyKind::LinkAck, {0x02, 0x77, 0x00, 0x99, 0x55, 0x03}, true},
      {"ack status 01", ReplyKind::LinkAck, {0x02, 0x77, 0x01, 0x00, 0x55, 0x03}, false},
      {"ack without ETX at 5", ReplyKind::WriteAck, {0x02, 0x01, 0x00, 0x00, 0x03, 0x04}, false},
      {"ack seven bytes", ReplyKind::LinkAck, {0x02, 0x01, 0x00, 0x00, 0x03, 0x03, 0xEE}, true},
      {"ack five bytes", ReplyKind::LinkAck, {0x02, 0x01, 0x00, 0x00, 0x03}, false},
      {"ack garbage first", ReplyKind::WriteAck, {0xFF, 0x02, 0x01, 0x00, 0x00, 0x03, 0x03}, false},
      {"card data", ReplyKind::CardData, {0x02, 0x01, 0x00, 0x05, 0, 0x7B, 0, 1, 0x2C, 0xAA, 0x03}, true},
      {"card data status 03", ReplyKind::CardData, {0x02, 0x01, 0x03, 0x05, 0, 0, 0, 0, 0, 0, 0x03}, false},
      {"card data N 04", ReplyKind::CardData, {0x02, 0x01, 0x00, 0x04, 0, 0, 0, 0, 0, 0, 0x03}, false},
      {"card data ten bytes", ReplyKind::CardData, {0x02, 0x01, 0x00, 0x05, 0, 0, 0, 0, 0, 0}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplyPasses(c.kind, c.reply), c.passes) << c.name;
}

}  // namespace
}  // namespace vx
