#include "cli/card_report.h"

#include <cstdio>

#include "operations/outcome_views.h"

namespace vx::cli {

namespace {

// The banner without its place in the batch: the console line says the place
// itself, for typed cards too.
ResultBanner PlainBanner(const CardOutcome& outcome) {
  CardOutcome plain = outcome;
  plain.entry = 0;
  return BannerOf(plain, {});
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

}  // namespace

std::string CardLine(const CardOutcome& outcome, int card, int cards) {
  const std::string banner = PlainBanner(outcome).text;
  if (cards <= 1) return banner;
  return "card " + std::to_string(card) + " of " + std::to_string(cards) + ": " + banner;
}

BannerTone ToneOf(const CardOutcome& outcome) { return PlainBanner(outcome).tone; }

std::string JsonLine(const CardOutcome& outcome) {
  const RecordLine line = RecordLineOf(outcome);
  auto text = [](const char* key, const std::string& value) { return JsonString(key) + ":" + JsonString(value); };
  auto number = [](const char* key, int value) { return JsonString(key) + ":" + std::to_string(value); };
  return "{" + text("time", line.time) + "," + text("port", line.port) + "," + text("tab", line.tab) + "," +
         text("format", line.format) + "," + number("fc_bits", line.fcBits) + "," + number("cn_bits", line.cnBits) +
         "," + number("param_y", line.paramY) + "," + number("param_z", line.paramZ) + "," +
         text("facility_code", line.facilityCode) + "," + text("card_number", line.cardNumber) + "," +
         text("source", line.source) + "," + number("entry", line.entry) + "," + text("outcome", line.outcome) +
         "," + text("read_facility_code", line.readFacilityCode) + "," +
         text("read_card_number", line.readCardNumber) +
         (outcome.station.empty() ? std::string() : "," + text("station", outcome.station)) + "}";
}

namespace {

std::string RowLine(const CredentialRow& row) {
  const Credential& c = row.credential;
  return "  " + c.format + " " + std::to_string(c.facilityCode) + "," + std::to_string(c.cardNumber) + "\t" +
         StateWord(row.state) + " at " + row.station + ", reserved " + row.reservedAt + ", " +
         (row.entry > 0 ? "entry " + std::to_string(row.entry) + " of " + row.source : std::string("typed")) + "\n";
}

}  // namespace

std::string StoreStatusText(const StoreStatus& status) {
  std::string text = "station\tstate\tcards\n";
  for (const StoreStatus::Count& count : status.counts)
    text += count.station + "\t" + StateWord(count.state) + "\t" + std::to_string(count.count) + "\n";
  text += "unknown: " + std::to_string(status.unknown.size()) + "\n";
  for (const CredentialRow& row : status.unknown) text += RowLine(row);
  text += "reserved more than an hour ago: " + std::to_string(status.staleReservations.size()) + "\n";
  for (const CredentialRow& row : status.staleReservations) text += RowLine(row);
  return text;
}

std::string Coloured(const std::string& text, BannerTone tone) {
  switch (tone) {
    case BannerTone::Good: return "\x1b[32m" + text + "\x1b[0m";
    case BannerTone::Bad: return "\x1b[31m" + text + "\x1b[0m";
    case BannerTone::Neutral:
    case BannerTone::Working: return text;
  }
  return text;
}

}  // namespace vx::cli
