#include "sim/device_model.h"

#include <algorithm>

#include "sim/em4100_image.h"
#include "sim/wiegand.h"

namespace vx::sim {

namespace {

constexpr std::size_t kCardCommandDataBytes = 11;
constexpr std::uint64_t kHidFcLimit = 0xFFFF;    // what d0 d1 can carry
constexpr std::uint64_t kHidCnLimit = 0xFFFFFF;  // what d2 d3 d4 can carry

Bytes ReplyFrame(std::uint8_t status, std::span<const std::uint8_t> data) {
  Bytes frame;
  frame.reserve(data.size() + 6);
  for (std::uint8_t b : {kStx, kFrameConstant, status, static_cast<std::uint8_t>(data.size())}) frame.push_back(b);
  for (std::uint8_t b : data) frame.push_back(b);
  frame.push_back(CheckByte(frame));
  frame.push_back(kEtx);
  return frame;
}

struct CardCommand {
  FormatParams params;
  CardData data{};
  bool IsEm4100() const { return params.p1 == 0 && params.p2 == 0 && params.p3 == 0 && params.p4 == 0; }
  WiegandLayout Layout() const { return {params.p1, params.p2}; }
};

CardCommand ParseCardCommand(std::span<const std::uint8_t> data) {
  // data: 00 00 p1 p2 p3 p4 d0 d1 d2 d3 d4; the two leading bytes are ignored.
  CardCommand command;
  command.params = {data[2], data[3], data[4], data[5]};
  std::copy(data.begin() + 6, data.begin() + 11, command.data.begin());
  return command;
}

std::uint64_t Em4100Value(const CardData& d) {
  std::uint64_t value = 0;
  for (std::uint8_t b : d) value = (value << 8) | b;
  return value;
}

CardData Em4100Data(std::uint64_t value) {
  CardData d{};
  for (int i = 4; i >= 0; --i) {
    d[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value & 0xFF);
    value >>= 8;
  }
  return d;
}

CardData HidData(std::uint64_t fc, std::uint64_t cn) {
  return {static_cast<std::uint8_t>(fc >> 8), static_cast<std::uint8_t>(fc),
          static_cast<std::uint8_t>(cn >> 16), static_cast<std::uint8_t>(cn >> 8),
          static_cast<std::uint8_t>(cn)};
}

std::uint64_t MaskOf(int bits) { return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1; }

}  // namespace

CardImage DeviceOptions::DefaultCard() { return {CardKind::Em4100, EncodeEm4100((std::uint64_t{1} << 32) | 1)}; }

Bytes AckReply(std::uint8_t status) { return ReplyFrame(status, {}); }

Bytes CardDataReply(std::uint8_t status, const CardData& data) { return ReplyFrame(status, data); }

DeviceModel::DeviceModel(DeviceOptions options) : options_(std::move(options)), card_(options_.initialCard) {}

std::vector<Exchange> DeviceModel::Receive(std::span<const std::uint8_t> bytes) {
  std::vector<Exchange> exchanges;
  for (ParsedFrame& frame : parser_.Feed(bytes)) exchanges.push_back(Answer(std::move(frame)));
  return exchanges;
}

std::vector<Exchange> DeviceModel::LineIdle() {
  std::vector<Exchange> exchanges;
  for (ParsedFrame& frame : parser_.LineIdle()) exchanges.push_back(Answer(std::move(frame)));
  return exchanges;
}

Exchange DeviceModel::Answer(ParsedFrame frame) {
  Exchange exchange;
  exchange.received = std::move(frame);
  const Bytes& bytes = exchange.received.bytes;
  const FaultSet& faults = options_.faults;
  if (faults.Has(Fault::Silent)) return exchange;

  const DeviceTiming& timing = options_.timing;
  if (!exchange.received.checkOk) {
    Send(exchange, AckReply(kStatusBadCheck), timing.linkTime);
    return exchange;
  }
  const std::uint8_t code = bytes[2];
  const std::size_t n = bytes[3];
  const auto data = std::span(bytes).subspan(4, n);

  if (code == static_cast<std::uint8_t>(CommandCode::Link) && n == 0) {
    Send(exchange, AckReply(options_.linkStatus), timing.linkTime);
  } else if (code == static_cast<std::uint8_t>(CommandCode::WriteCard) && n == kCardCommandDataBytes) {
    if (faults.Has(Fault::Unplug)) {
      exchange.hangUp = true;
      return exchange;
    }
    if (faults.Has(Fault::Refuse)) {
      Send(exchange, AckReply(kStatusNoCard), timing.writeTime);
      return exchange;
    }
    Send(exchange, Write(data, exchange.written), timing.writeTime);
  } else if (code == static_cast<std::uint8_t>(CommandCode::ReadCard) && n == kCardCommandDataBytes) {
    if (faults.Has(Fault::NoRead)) return exchange;
    Send(exchange, Read(data), timing.readTime);
  } else {
    Send(exchange, AckReply(kStatusUnknownCommand), timing.linkTime);
  }
  return exchange;
}

Bytes DeviceModel::Write(std::span<const std::uint8_t> data, std::optional<CardImage>& written) {
  const CardCommand command = ParseCardCommand(data);
  if (command.IsEm4100()) {
    card_ = CardImage{CardKind::Em4100, EncodeEm4100(Em4100Value(command.data))};
    cardLayout_.reset();
  } else {
    const std::uint64_t fc = (std::uint64_t{command.data[0]} << 8) | command.data[1];
    const std::uint64_t cn =
        (std::uint64_t{command.data[2]} << 16) | (std::uint64_t{command.data[3]} << 8) | command.data[4];
    std::optional<BitImage> bits = EncodeWiegand(command.Layout(), fc, cn);
    if (!bits) return AckReply(kStatusTooWide);
    card_ = CardImage{CardKind::Wiegand, std::move(*bits)};
    cardLayout_ = command.Layout();
  }
  written = card_;
  return AckReply(kStatusOk);
}

Bytes DeviceModel::Read(std::span<const std::uint8_t> data) const {
  const CardData none{};
  if (options_.faults.Has(Fault::NoCard) || !card_) return CardDataReply(kStatusNoCard, none);
  const CardCommand command = ParseCardCommand(data);
  const bool corrupt = options_.faults.Has(Fault::Corrupt);

  if (command.IsEm4100()) {
    if (card_->kind != CardKind::Em4100) return CardDataReply(kStatusWrongFormat, none);
    const Em4100Reading reading = DecodeEm4100(card_->bits);
    if (reading.error == Em4100Error::LengthMismatch) return CardDataReply(kStatusWrongFormat, none);
    if (reading.error != Em4100Error::None) return CardDataReply(kStatusParity, none);
    std::uint64_t value = reading.data;
    if (corrupt) value = (value & ~std::uint64_t{0xFFFFFFFF}) | ((value + 1) & 0xFFFFFFFF);
    return CardDataReply(kStatusOk, Em4100Data(value));
  }

  if (card_->kind != CardKind::Wiegand) return CardDataReply(kStatusWrongFormat, none);
  // A reader that ignores the layout asked for decodes every read as the card was written.
  const WiegandLayout layout = options_.faults.Has(Fault::AnyLayout) && cardLayout_ ? *cardLayout_ : command.Layout();
  const WiegandReading reading = DecodeWiegand(layout, card_->bits);
  switch (reading.error) {
    case WiegandError::None: break;
    case WiegandError::LengthMismatch: return CardDataReply(kStatusWrongFormat, none);
    case WiegandError::Parity: return CardDataReply(kStatusParity, none);
    case WiegandError::TooWide: return CardDataReply(kStatusTooWide, none);
  }
  if (reading.fc > kHidFcLimit || reading.cn > kHidCnLimit) return CardDataReply(kStatusTooWide, none);
  std::uint64_t cn = reading.cn;
  if (corrupt) cn = (cn + 1) & MaskOf(std::min(layout.cnBits, 24));
  return CardDataReply(kStatusOk, HidData(reading.fc, cn));
}

void DeviceModel::Send(Exchange& exchange, Bytes replyFrame, Micros processing) const {
  const FaultSet& faults = options_.faults;
  Bytes reply;
  if (faults.Has(Fault::Garbage)) reply.assign(std::begin(kGarbageBytes), std::end(kGarbageBytes));
  reply.insert(reply.end(), replyFrame.begin(), replyFrame.end());

  // Pieces of the reply, each to follow a pause: the processing time, then the gaps.
  const bool bytewise = faults.Has(Fault::Bytewise);
  const int pieces = bytewise ? static_cast<int>(reply.size()) : faults.Has(Fault::Split) ? kSplitPieces : 1;
  const Micros gap = bytewise ? kBytewiseGap : kSplitGap;
  const Micros byteTime = options_.timing.byteTime;
  std::size_t at = 0;
  for (int piece = 0; piece < pieces; ++piece) {
    const std::size_t end = reply.size() * static_cast<std::size_t>(piece + 1) / static_cast<std::size_t>(pieces);
    if (end == at) continue;
    const Micros pause = piece == 0 ? processing : gap;
    if (byteTime.count() == 0) {
      exchange.schedule.push_back({pause, Bytes(reply.begin() + static_cast<std::ptrdiff_t>(at),
                                                reply.begin() + static_cast<std::ptrdiff_t>(end))});
    } else {
      // Byte by byte, as a UART sends them: each is complete one byte time after the one before.
      for (std::size_t i = at; i < end; ++i) {
        exchange.schedule.push_back({(i == at ? pause : Micros{0}) + byteTime, Bytes{reply[i]}});
      }
    }
    at = end;
  }
  exchange.reply = std::move(reply);
}

}  // namespace vx::sim
