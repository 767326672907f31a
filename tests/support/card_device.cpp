#include "support/card_device.h"

#include "device/frame.h"

namespace vx::test {

void CardInFieldDevice::Attach(FakeLink& link) {
  link.SetDevice([this](const Bytes& frame, FakeLink& l) { Answer(frame, l); });
}

bool CardInFieldDevice::ReadsIn(const FormatParams& layout) const {
  const auto isEm4100 = [](const FormatParams& p) { return p.p1 == 0 && p.p2 == 0 && p.p3 == 0 && p.p4 == 0; };
  if (isEm4100(layout) != isEm4100(*codedIn)) return false;
  if (anyHidLayout) return true;
  return layout.p1 == codedIn->p1 && layout.p2 == codedIn->p2 && layout.p3 == codedIn->p3 && layout.p4 == codedIn->p4;
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
    // The facility code's low byte: d1 in the HID layout, d0 in EM4100's.
    const bool em4100 = frame[6] == 0 && frame[7] == 0 && frame[8] == 0 && frame[9] == 0;
    if (fault == CardFault::OtherFacilityCode) ++data[em4100 ? 0 : 1];
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
    if (codedIn && !ReadsIn(FormatParams{frame[6], frame[7], frame[8], frame[9]})) {
      link.Reply(CardDataReplyBytes({}, 0x04), answerDelay);
      return;
    }
    link.Reply(CardDataReplyBytes(*card, fault == CardFault::MalformedReadBack ? 0x03 : 0x00), answerDelay);
  }
}

}  // namespace vx::test
