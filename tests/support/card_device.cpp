#include "support/card_device.h"

#include "device/frame.h"

namespace vx::test {

void CardInFieldDevice::Attach(FakeLink& link) {
  link.SetDevice([this](const Bytes& frame, FakeLink& l) { Answer(frame, l); });
}

void CardInFieldDevice::Answer(const Bytes& frame, FakeLink& link) {
  if (frame.size() != 17) return;
  const auto code = static_cast<CommandCode>(frame[2]);
  if (code == CommandCode::WriteCard) {
    const CardFault fault = faultOf ? faultOf(writeFrames) : CardFault::None;
    ++writeFrames;
    if (fault == CardFault::Silent) return;
    if (fault == CardFault::Refuse) {
      link.Reply(AckReplyBytes(0x01), answerDelay);
      return;
    }
    Data data{frame[10], frame[11], frame[12], frame[13], frame[14]};
    if (fault == CardFault::WrongReadBack) data[4] = static_cast<std::uint8_t>(data[4] + 1);
    card = data;
    cardsWritten.push_back(data);
    readFault_ = fault;
    link.Reply(AckReplyBytes(), answerDelay);
    return;
  }
  if (code == CommandCode::ReadCard) {
    ++readFrames;
    const CardFault fault = readFault_;
    readFault_ = CardFault::None;
    if (!card || fault == CardFault::AckNoRead) return;
    link.Reply(CardDataReplyBytes(*card, fault == CardFault::MalformedReadBack ? 0x03 : 0x00), answerDelay);
  }
}

}  // namespace vx::test
