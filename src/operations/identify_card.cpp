#include "operations/identify_card.h"

#include <cstdio>

#include "carddata/card_data.h"
#include "operations/missing_format.h"
#include "formats/format_table.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "operations/outcome_views.h"
#include "operations/record_control.h"

namespace vx {

namespace {

// What a read in one format needs: the tab, the name the record gives the
// format, its layout numbers and how its five data bytes unpack.
struct FormatToTry {
  const TabSpec* tab;
  std::string format;
  FormatParams params;
  CardNumbers (*decode)(const CardData& data);
};

// The tabs whose format the file defines, in tab order, then EM4100.
std::vector<FormatToTry> FormatsToTry(FormState& state) {
  std::vector<FormatToTry> formats;
  const TabSpec* em4100 = nullptr;
  for (const TabSpec& tab : kTabs) {
    if (tab.kind == TabKind::Em4100) {
      em4100 = &tab;
      continue;
    }
    if (TabLacksFormat(state.formats, tab)) continue;
    const FormatRow& row = FindFormatRowOf(state.formats, tab.formatName);
    formats.push_back({&tab, row.FormatName, FormatParamsOf(row), &DecodeHidCardData});
  }
  if (em4100) formats.push_back({em4100, std::string(kEm4100FormatName), FormatParams{}, &DecodeEm4100CardData});
  return formats;
}

bool IsEm4100(const FormatReading& reading) { return reading.tab->kind == TabKind::Em4100; }

// The name List1 and the banner give a format: the tab's upper-case name.
std::string DisplayName(const FormatReading& reading) {
  return std::string(CardFormatOf(*reading.tab));
}

// "12,1000", and an EM4100 card's ID after it.
std::string NumbersText(const FormatReading& reading) {
  const CardNumbers& read = *reading.outcome.read;
  const std::string pair = read.FcText() + "," + read.CnText();
  if (!IsEm4100(reading)) return pair;
  // TRANSLATORS: an EM4100 card's numbers and its ID: "12,1000 (ID 0C000003E8)".
  return Format(Tr("%1$s (ID %2$s)"), pair, Em4100Id(read));
}

// What the operator sees once every format has been read.
void ShowIdentification(Device& dev, const Identification& id) {
  for (const FormatReading& reading : id.readings) dev.host.LogLine(ReadingLine(reading));
  dev.host.SelectLastLine();
  // One format alone: its tab shows the card as Read Card would. Of several
  // the program chooses none, and a run cut short may have missed a format.
  if (id.readings.size() == 1 && !id.cutShort) {
    const FormatReading& only = id.readings.front();
    dev.host.ShowTab(only.tab->position);
    dev.host.SetBoxText(only.tab->fcBox, only.outcome.read->FcText());
    dev.host.SetBoxText(only.tab->cnBox, only.outcome.read->CnText());
  }
  dev.host.ShowResult(IdentifyBanner(id));
}

}  // namespace

std::string IdentifyProgressText(const TabSpec& tab, int index, int count) {
  // TRANSLATORS: the banner while Identify Card tries each format; %1$s is
  // the tab's caption ("HID  WG26"), %2$d the format being tried, %3$d how many.
  return Format(Tr("Identifying: %1$s, %2$d of %3$d"), tab.caption, index, count);
}

std::string Em4100Id(const CardNumbers& card) {
  char id[16];
  std::snprintf(id, sizeof id, "%02X%08X", static_cast<unsigned>(card.facilityCode & 0xFF),
                static_cast<unsigned>(card.cardNumber));
  return id;
}

std::string ReadingLine(const FormatReading& reading) {
  // TRANSLATORS: a List1 line of Identify Card: the format and what it reads
  // ("HID26: 12,1000").
  const std::string line = Format(Tr("%1$s: %2$s"), DisplayName(reading), NumbersText(reading));
  if (reading.printed.empty()) return line;
  // TRANSLATORS: a List1 line of Identify Card ("HID26: 12,1000"), then the
  // number printed on the card as the record has it ("0004711").
  return Format(Tr("%1$s, printed %2$s"), line, reading.printed);
}

ResultBanner IdentifyBanner(const Identification& id) {
  const auto count = static_cast<int>(id.readings.size());
  if (id.cutShort) {
    // TRANSLATORS: %1$d is the formats tried, %2$d how many there were.
    return {"\u2718 " + Format(Tr("Not identified: the reader/writer went away after %1$d of %2$d formats"), id.tried,
                               id.formats),
            BannerTone::Bad};
  }
  if (count == 1) {
    const FormatReading& only = id.readings.front();
    // TRANSLATORS: the banner of Identify Card when one format reads the
    // card: the tab's caption and the numbers ("HID  WG26: 12,1000").
    return {"\u25CF " + Format(Tr("%1$s: %2$s"), only.tab->caption, NumbersText(only)), BannerTone::Neutral};
  }
  if (count > 1) {
    std::string list;
    for (const FormatReading& reading : id.readings) {
      // TRANSLATORS: one format and its numbers in the list of Identify
      // Card's banner ("HID26 12,1000").
      const std::string one = Format(Tr("%1$s %2$s"), DisplayName(reading), NumbersText(reading));
      // TRANSLATORS: the list of the formats a card reads as: "HID26 12,1000
      // or HID34 0,1000"; %1$s is the list so far, %2$s the next format.
      list = list.empty() ? one : Format(Tr("%1$s or %2$s"), list, one);
    }
    // TRANSLATORS: %1$d is how many formats read the card, %2$s their list
    // ("HID26 12,1000 or HID34 0,1000").
    return {"\u25CF " + Format(TrN("Reads as %1$d formats: %2$s. Ask which format the site uses",
                                   "Reads as %1$d formats: %2$s. Ask which format the site uses",
                                   static_cast<std::uint64_t>(count)),
                               count, list),
            BannerTone::Neutral};
  }
  std::string text;
  if (id.refused == 0) {
    text = Tr("No format reads this card: no card on the reader, or a format HID.cfg does not define. No read was "
              "answered: no card, or no reader/writer on the port");
  } else if (id.refused == id.tried) {
    text = Tr("No format reads this card: no card on the reader, or a format HID.cfg does not define. Every read was "
              "answered and refused: a card of another kind");
  } else {
    // TRANSLATORS: %1$d is the reads answered and refused, %2$d the reads made.
    text = Format(Tr("No format reads this card: no card on the reader, or a format HID.cfg does not define. %1$d of "
                     "%2$d reads were answered and refused: a card of another kind"),
                  id.refused, id.tried);
  }
  return {"\u2718 " + text, BannerTone::Bad};
}

Identification IdentifyCard(Device& dev) {
  Identification id;
  BusyGuard busy(dev.state);
  if (!busy.Taken()) return id;
  if (!OpenDevicePort(dev)) return id;
  PortCloser port(dev);
  id.ran = true;

  const std::vector<FormatToTry> formats = FormatsToTry(dev.state);
  id.formats = static_cast<int>(formats.size());
  for (const FormatToTry& format : formats) {
    // A close asked for during the read in hand ends the run after it.
    if (dev.host.Closing() || !dev.link.IsOpen()) {
      id.cutShort = true;
      break;
    }
    ++id.tried;
    dev.host.ShowResult({IdentifyProgressText(*format.tab, id.tried, id.formats), BannerTone::Working});
    const ReplyOutcome reply = AwaitReply(dev, ReadCardCommand(format.params), ReplyKind::CardData);
    if (reply.status == ReplyOutcome::Status::Rejected) ++id.refused;
    if (!reply.accepted()) continue;

    FormatReading reading{format.tab, {}, {}};
    CardOutcome& outcome = reading.outcome;
    outcome.verdict = CardVerdict::Read;
    outcome.port = dev.portName;
    outcome.tab = format.tab->caption;
    outcome.format = format.format;
    outcome.params = format.params;
    outcome.read = format.decode(CardDataOf(reply.reply));
    // On disk before the window shows it.
    (void)RecordOutcome(dev.state, dev.host, outcome);
    id.readings.push_back(std::move(reading));
  }
  // The record names the printed number of a card it has as written, so the
  // card in hand can be matched to what is printed on it.
  if (!id.readings.empty() && BringRecordIndexUpToDate(dev.state, dev.host)) {
    for (FormatReading& reading : id.readings) {
      const CardNumbers& read = *reading.outcome.read;
      if (const auto written = dev.state.recordIndex.FindWritten(reading.outcome.format, read.facilityCode,
                                                                 read.cardNumber))
        reading.printed = written->printed;
    }
  }
    // The last read may have found the window closing or the port gone too.
  if (!id.cutShort && id.tried > 0 && (dev.host.Closing() || !dev.link.IsOpen())) id.cutShort = true;
  if (!dev.host.Closing()) ShowIdentification(dev, id);
  return id;
}

}  // namespace vx
