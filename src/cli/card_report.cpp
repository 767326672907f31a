#include "cli/card_report.h"

#include <cstdio>

#include "i18n/terminal_text.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "operations/outcome_views.h"
#include "record/record_columns.h"

namespace vx::cli {

namespace {

// The banner without its place in the batch: the console line says the place
// itself, for typed cards too.
ResultBanner PlainBanner(const CardOutcome& outcome) {
  CardOutcome plain = outcome;
  plain.entry = 0;
  return BannerOf(plain, {});
}

// A JSON string that a script can parse and a terminal can show: DEL and the
// C1 controls escaped besides what JSON demands, and a byte that is not UTF-8
// (a Latin-1 file name, a row another program wrote) as U+FFFD.
std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Step step = Utf8StepAt(text, at);
    const long c = step.codePoint;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0) {
          out += "\\ufffd";
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04lx", c);
          out += escaped;
        } else {
          out.append(text, at, step.length);
        }
    }
    at += step.length;
  }
  return out + "\"";
}

}  // namespace

std::optional<bool> InSharedRecord(const CardOutcome& outcome, const SharedRecordNote& note) {
  if (outcome.station.empty()) return std::nullopt;
  return note.kind == SharedRecordNote::Kind::None;
}

std::string CardLine(const CardOutcome& outcome, const SharedRecordNote& note, int card, int cards) {
  return PlacedLine(note.On(PlainBanner(outcome).text), card, cards);
}

std::string PlacedLine(const std::string& words, int card, int cards) {
  if (cards <= 1) return TerminalText(words);
  // TRANSLATORS: the card's place in the run, then the card's result
  // ("card 2 of 5: ✔ Written and verified: 12,1001").
  return TerminalText(Format(Tr("card %1$d of %2$d: %3$s"), card, cards, words));
}

std::string OnlyInJournalText(int cards) {
  // TRANSLATORS: the end of a run whose last outcomes the shared record has
  // not taken yet; %d is the cards (the count the plural follows).
  return Format(TrN("%d card not yet in the shared record: kept in the journal, committed at the next run",
                    "%d cards not yet in the shared record: kept in the journal, committed at the next run",
                    static_cast<std::uint64_t>(cards)),
                cards);
}

BannerTone ToneOf(const CardOutcome& outcome) { return PlainBanner(outcome).tone; }

std::string JsonLine(const CardOutcome& outcome, std::optional<bool> inSharedRecord) {
  const RecordLine line = RecordLineOf(outcome);
  std::string json = "{";
  // The trailing columns, as in the record file, only with a value.
  const std::size_t columns = RecordFieldCountOf(line);
  for (std::size_t at = 0; at < columns; ++at) {
    const RecordColumn& column = kRecordColumnTable[at];
    if (at > 0) json += ",";
    json += JsonString(std::string(column.name)) + ":" +
            (column.IsText() ? JsonString(line.*column.text) : std::to_string(line.*column.number));
  }
  if (!outcome.station.empty()) json += "," + JsonString("station") + ":" + JsonString(outcome.station);
  if (inSharedRecord) json += std::string(",\"in_shared_record\":") + (*inSharedRecord ? "true" : "false");
  return json + "}";
}

namespace {

// Every text of a row is another station's: none may steer the terminal.
std::string RowLine(const CredentialRow& row) {
  const Credential& c = row.credential;
  // "typed": the record's word for a card typed in, as the source column has it.
  // TRANSLATORS: the entry of a card-number file, then the file's path.
  const std::string source =
      row.entry > 0 ? Format(Tr("entry %1$d of %2$s"), row.entry, TerminalText(row.source)) : "typed";
  return "  " + TerminalText(c.format) + " " + std::to_string(c.facilityCode) + "," + std::to_string(c.cardNumber) +
         "\t" +
         // TRANSLATORS: a row of `store status`: the state (reserved, written
         // or unknown, which stay as they are), the station, the time it was
         // reserved, then "entry 3 of cards.txt" or the record's word "typed".
         Format(Tr("%1$s at %2$s, reserved %3$s, %4$s"), StateWord(row.state), TerminalText(row.station),
                TerminalText(row.reservedAt), source) +
         "\n";
}

}  // namespace

std::string StoreStatusText(const StoreStatus& status) {
  // TRANSLATORS: the captions of the columns of `store status`, separated
  // by tabs: a station's name, a state (reserved, written, unknown), a count.
  std::string text = TrCtx("store status", "station\tstate\tcards") + "\n";
  for (const StoreStatus::Count& count : status.counts)
    text += TerminalText(count.station) + "\t" + StateWord(count.state) + "\t" + std::to_string(count.count) + "\n";
  // TRANSLATORS: how many credentials are in the state unknown (the state's
  // word, which stays as it is in the rows below).
  text += Format(TrCtx("store status", "unknown: %d"), status.unknown.size()) + "\n";
  for (const CredentialRow& row : status.unknown) text += RowLine(row);
  text += Format(TrCtx("store status", "reserved more than an hour ago: %d"), status.staleReservations.size()) +
          "\n";
  for (const CredentialRow& row : status.staleReservations) text += RowLine(row);
  return text;
}

std::string KeptAsideText(const std::vector<KeptAside>& kept) {
  // TRANSLATORS: how many outcomes the shared record refused for good, kept
  // in files on this computer (listed below, a line each).
  std::string text = Format(TrCtx("store status", "kept aside on this computer, refused by the shared record: %d"),
                            kept.size()) +
                     "\n";
  for (const KeptAside& aside : kept) {
    const Credential& c = aside.entry.credential;
    const Attempt& attempt = aside.entry.attempt;
    // A kept-aside file is read back from disk: any of it may have been edited.
    text += "  " + TerminalText(c.format) + " " + std::to_string(c.facilityCode) + "," + std::to_string(c.cardNumber) +
            "\t" +
            // TRANSLATORS: a row of `store status`: the outcome in the
            // record's words (written, no read-back), the station, when, and
            // the file that keeps it.
            Format(Tr("%1$s at %2$s, %3$s, kept in %4$s"), TerminalText(attempt.line.outcome),
                   TerminalText(attempt.station), TerminalText(attempt.line.time), TerminalText(aside.file)) +
            "\n";
  }
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
