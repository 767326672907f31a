#include "exports/job_report.h"

#include <algorithm>
#include <utility>

#include "exports/report_chart.h"
#include "exports/report_html.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "record/record_line.h"

namespace vx {

namespace {

void Widen(std::optional<std::pair<std::uint32_t, std::uint32_t>>& range, std::uint32_t value) {
  if (!range) range.emplace(value, value);
  range->first = std::min(range->first, value);
  range->second = std::max(range->second, value);
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
  if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

std::string RangeText(const std::optional<std::pair<std::uint32_t, std::uint32_t>>& range) {
  if (!range) return "\u2014";
  if (range->first == range->second) return std::to_string(range->first);
  return std::to_string(range->first) + "\u2013" + std::to_string(range->second);
}

std::string PrintedRangeText(const JobReport& report) {
  if (report.printedFirst.empty()) return "\u2014";
  if (report.printedFirst == report.printedLast) return report.printedFirst;
  return report.printedFirst + "\u2013" + report.printedLast;
}

std::string SourceText(const std::string& source) {
  // TRANSLATORS: the job report's name for cards typed into the boxes rather
  // than taken from a card-number file.
  return source == kTypedSource ? Tr("typed in") : source;
}

std::string StationText(const std::string& station) {
  // TRANSLATORS: the job report's name for the station whose card record it
  // was made from, which names no station.
  return station.empty() ? Tr("this station") : station;
}

// One row of a two-column table: a caption and its value, both plain text.
std::string FactRow(const std::string& caption, const std::string& value) {
  return "<tr><th>" + HtmlText(caption) + "</th><td>" + HtmlText(value) + "</td></tr>\n";
}

std::string CountRow(const std::string& caption, const std::string& value, const char* id) {
  return std::string("<tr id=\"") + id + "\"><th>" + HtmlText(caption) + "</th><td class=\"n\">" + HtmlText(value) +
         "</td></tr>\n";
}

std::string Joined(const std::vector<std::string>& names, std::string (*shown)(const std::string&)) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + shown(name);
  return text.empty() ? "\u2014" : text;
}

std::string Same(const std::string& text) { return text; }

constexpr const char* kStyle =
    "@page{margin:15mm}"
    "body{font-family:sans-serif;font-size:10pt;color:#111;max-width:180mm;margin:0 auto}"
    "h1{font-size:16pt;margin:0 0 4mm}h2{font-size:12pt;margin:6mm 0 2mm}"
    "table{border-collapse:collapse;width:100%}"
    "th,td{text-align:left;padding:0.8mm 2mm;border-bottom:0.2mm solid #bbb;vertical-align:top}"
    "td.n{text-align:right;font-variant-numeric:tabular-nums}"
    "table.facts th{width:45mm;font-weight:normal;color:#444}table.facts td.n{text-align:left}"
    "thead{display:table-header-group}tr{break-inside:avoid}"
    "figure{margin:0;break-inside:avoid}svg{width:100%;height:auto}"
    "table.facts td{overflow-wrap:anywhere}td.t{white-space:nowrap}"
    // The counts beside when and where, and print a size smaller: a job of a
    // few dozen cards prints on one sheet of A4 or Letter.
    "div.side{display:flex;gap:8mm}div.side>section{flex:1}div.side table.facts th{width:40%}"
    "@media print{body{font-size:9pt}h1{font-size:14pt;margin:0 0 2mm}h2{font-size:11pt;margin:4mm 0 1.5mm}"
    "th,td{padding:0.4mm 1.5mm}svg{max-height:50mm}}";

// A record time as a reader reads it: 2026-12-01T14:03:12.345+01:00 becomes
// 2026-12-01 14:03:12 +01:00 (the times were checked as record times).
std::string ShownTime(const std::string& time) {
  if (time.size() < 19) return time;
  const std::size_t offset = time.find_first_of("+-Z", 19);
  return time.substr(0, 10) + " " + time.substr(11, 8) + (offset == std::string::npos ? "" : " " + time.substr(offset));
}

}  // namespace

JobReport SummarizeJob(std::vector<CredentialOutcome> outcomes, const ExportFilter& filter) {
  JobReport report;
  for (const CredentialOutcome& outcome : outcomes)
    if (outcome.failedAttempt && FilterLets(filter, outcome.credential)) ++report.failedAttempts;
  // Passed over: the same card files' credentials that other stations wrote,
  // when the report is one station's.
  ExportFilter others = filter;
  others.station.clear();
  int passedOver = 0;
  for (CredentialOutcome& last : LastOutcomes(std::move(outcomes))) {
    const ExportedCredential& c = last.credential;
    if (!FilterLets(filter, c)) {
      if (!filter.station.empty() && last.written && c.source != kTypedSource && FilterLets(others, c)) ++passedOver;
      continue;
    }
    if (last.mayHold && !last.written) ++report.unknown;
    if (!last.written) continue;
    ++report.written;
    AddOnce(report.sources, c.source);
    AddOnce(report.formats, c.format);
    Widen(report.facilityCodes, c.facilityCode);
    Widen(report.cardNumbers, c.cardNumber);
    if (!c.printed.empty()) {
      if (report.printedFirst.empty()) report.printedFirst = c.printed;
      report.printedLast = c.printed;
    }
    if (report.firstTime.empty()) report.firstTime = c.time;
    report.lastTime = c.time;
    ++report.writtenAtStation[c.station];
    report.credentials.push_back(std::move(last.credential));
  }
  if (!filter.station.empty()) report.passedOver = passedOver;
  return report;
}

std::string ReportLanguageTag(std::string_view catalogue) {
  std::string tag(catalogue);
  std::replace(tag.begin(), tag.end(), '_', '-');
  return tag;
}

std::string RenderJobReport(const JobReport& report, std::string_view language) {
  // TRANSLATORS: the title of the job report, the page that lists the cards
  // a job wrote.
  const std::string title = Tr("Job report");
  std::string page = "<!DOCTYPE html>\n<html lang=\"" + HtmlText(language) + "\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<title>" + HtmlText(title) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
  page += "<h1>" + HtmlText(title) + "</h1>\n";

  // TRANSLATORS: a heading of the job report: what the job was.
  page += "<h2>" + HtmlText(Tr("The job")) + "</h2>\n<table class=\"facts\" id=\"job\">\n";
  page += FactRow(Tr("Card file"), Joined(report.sources, &SourceText));
  page += FactRow(Tr("Format"), Joined(report.formats, &Same));
  page += FactRow(Tr("Facility codes"), RangeText(report.facilityCodes));
  page += FactRow(Tr("Card numbers"), RangeText(report.cardNumbers));
  page += FactRow(Tr("Printed numbers"), PrintedRangeText(report));
  page += "</table>\n";

  // TRANSLATORS: a heading of the job report: how many cards were written,
  // how many attempts failed.
  page += "<div class=\"side\">\n<section>\n<h2>" + HtmlText(Tr("Counts")) + "</h2>\n<table class=\"facts\" id=\"counts\">\n";
  page += CountRow(Tr("Written"), std::to_string(report.written), "written");
  page += CountRow(Tr("Failed attempts"), std::to_string(report.failedAttempts), "failed");
  // TRANSLATORS: credentials whose last write was not confirmed: the card
  // may or may not hold them.
  page += CountRow(Tr("Unknown (the card may hold it)"), std::to_string(report.unknown), "unknown");
  page += CountRow(Tr("Passed over to other stations"),
                   report.passedOver ? std::to_string(*report.passedOver) : "\u2014", "passed-over");
  page += "</table>\n</section>\n";

  // TRANSLATORS: a heading of the job report: when the cards were written,
  // and at which stations.
  page += "<section>\n<h2>" + HtmlText(Tr("When and where")) + "</h2>\n<table class=\"facts\" id=\"when\">\n";
  // TRANSLATORS: %1$s and %2$s are the times of the first and the last card written.
  page += FactRow(Tr("Written"), report.written ? Format(Tr("from %1$s to %2$s"), ShownTime(report.firstTime), ShownTime(report.lastTime))
                                                : "\u2014");
  // The cards each station wrote.
  for (const auto& [station, count] : report.writtenAtStation) page += FactRow(StationText(station), std::to_string(count));
  page += "</table>\n</section>\n</div>\n";

  if (!report.credentials.empty()) page += "<figure id=\"chart\">\n" + CardsPerQuarterHourSvg(report.credentials, &StationText) + "</figure>\n";

  // TRANSLATORS: a heading of the job report: the list of the cards written.
  page += "<h2>" + HtmlText(Tr("Credentials")) + "</h2>\n<table id=\"credentials\">\n<thead><tr>";
  for (const std::string& caption : {std::string("#"), Tr("Format"), Tr("Facility code"), Tr("Card number"),
                                     Tr("Printed number"), Tr("Written at"), Tr("Station")})
    page += "<th>" + HtmlText(caption) + "</th>";
  page += "</tr></thead>\n<tbody>\n";
  int row = 0;
  for (const ExportedCredential& c : report.credentials) {
    page += "<tr><td class=\"n\">" + std::to_string(++row) + "</td><td>" + HtmlText(c.format) + "</td><td class=\"n\">" +
            std::to_string(c.facilityCode) + "</td><td class=\"n\">" + std::to_string(c.cardNumber) +
            "</td><td class=\"n\">" + HtmlText(c.printed) + "</td><td class=\"t\">" + HtmlText(ShownTime(c.time)) + "</td><td>" +
            HtmlText(StationText(c.station)) + "</td></tr>\n";
  }
  page += "</tbody>\n</table>\n</body>\n</html>\n";
  return page;
}

}  // namespace vx
