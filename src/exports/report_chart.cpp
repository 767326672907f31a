#include "exports/report_chart.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "exports/report_html.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

namespace {

// Minutes since 1970-01-01 of the wall-clock time a record time names, as
// each station's own clock showed it: a job's chart reads as its operators
// lived it.
long long WallMinute(const std::string& time) {
  const auto number = [&time](std::size_t at, std::size_t length) {
    long long value = 0;
    for (std::size_t i = at; i < at + length && i < time.size(); ++i) value = value * 10 + (time[i] - '0');
    return value;
  };
  long long y = number(0, 4);
  const long long m = number(5, 2), d = number(8, 2);
  // Days from the civil date (the proleptic Gregorian calendar).
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long long days = era * 146097 + doe - 719468;
  return days * 1440 + number(11, 2) * 60 + number(14, 2);
}

std::string TimeLabel(long long minute, bool withDate) {
  long long days = minute / 1440;
  const long long ofDay = minute % 1440;
  // The civil date back from days, for the label.
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long doe = days - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long d = doy - (153 * mp + 2) / 5 + 1;
  const long long m = mp + (mp < 10 ? 3 : -9);
  char text[48];
  if (withDate) {
    std::snprintf(text, sizeof text, "%02lld-%02lld %02lld:%02lld", m, d, ofDay / 60, ofDay % 60);
  } else {
    std::snprintf(text, sizeof text, "%02lld:%02lld", ofDay / 60, ofDay % 60);
  }
  return text;
}

constexpr const char* kColours[] = {"#1f6fb4", "#e8811c", "#2e9a3e", "#c8322d", "#7d5bb5", "#8a5a44", "#d56aae", "#707070"};

}  // namespace

int ChartSpanMinutes(long long firstMinute, long long lastMinute) {
  long long span = 15;
  while ((lastMinute / span - firstMinute / span + 1) > static_cast<long long>(kChartMostBars)) span *= 2;
  return static_cast<int>(span);
}

std::string CardsPerQuarterHourSvg(const std::vector<ExportedCredential>& credentials,
                                   std::string (*stationName)(const std::string&)) {
  if (credentials.empty()) return "";
  std::vector<long long> minutes;
  std::map<std::string, std::size_t> stations;
  for (const ExportedCredential& c : credentials) {
    minutes.push_back(WallMinute(c.time));
    stations.emplace(c.station, 0);
  }
  std::size_t index = 0;
  for (auto& [station, at] : stations) at = index++;
  const auto [lowest, highest] = std::minmax_element(minutes.begin(), minutes.end());
  const long long span = ChartSpanMinutes(*lowest, *highest);
  const long long firstBin = *lowest / span;
  const std::size_t bins = static_cast<std::size_t>(*highest / span - firstBin + 1);
  std::vector<std::vector<int>> counts(bins, std::vector<int>(stations.size(), 0));
  for (std::size_t i = 0; i < credentials.size(); ++i)
    ++counts[static_cast<std::size_t>(minutes[i] / span - firstBin)][stations[credentials[i].station]];
  int most = 1;
  for (const auto& bin : counts) most = std::max(most, *std::max_element(bin.begin(), bin.end()));

  constexpr double kWidth = 680, kHeight = 240, kLeft = 36, kRight = 8, kTop = 10, kBottom = 34;
  const double plotWidth = kWidth - kLeft - kRight, plotHeight = kHeight - kTop - kBottom;
  const double binWidth = plotWidth / static_cast<double>(bins);
  // A bar no wider than a finger, however few the spans.
  const double barWidth = std::min(binWidth * 0.8 / static_cast<double>(stations.size()), 24.0);
  const double legendHeight = 16.0 * static_cast<double>((stations.size() + 3) / 4);
  char number[64];
  const auto at = [&number](double value) {
    std::snprintf(number, sizeof number, "%.1f", value);
    return std::string(number);
  };

  // TRANSLATORS: the heading of the job report's chart; %d is the minutes
  // each bar counts (15, or more for a long job).
  std::string svg = "<h2>" + HtmlText(Format(Tr("Cards written per %d minutes, by station"), static_cast<int>(span))) +
                    "</h2>\n<svg xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" viewBox=\"0 0 " + at(kWidth) + " " +
                    at(kHeight + legendHeight) + "\" font-family=\"sans-serif\" font-size=\"10\">\n";
  // The count axis: nothing, half the most, the most.
  for (const int tick : {0, (most + 1) / 2, most}) {
    const double y = kTop + plotHeight - plotHeight * tick / most;
    svg += "<line x1=\"" + at(kLeft) + "\" y1=\"" + at(y) + "\" x2=\"" + at(kWidth - kRight) + "\" y2=\"" + at(y) +
           "\" stroke=\"#ccc\" stroke-width=\"0.5\"/>\n";
    svg += "<text x=\"" + at(kLeft - 4) + "\" y=\"" + at(y + 3) + "\" text-anchor=\"end\">" + std::to_string(tick) +
           "</text>\n";
  }
  for (std::size_t bin = 0; bin < bins; ++bin) {
    for (const auto& [station, column] : stations) {
      const int count = counts[bin][column];
      if (count == 0) continue;
      const double height = plotHeight * count / most;
      const double x = kLeft + binWidth * (static_cast<double>(bin) + 0.1) + barWidth * static_cast<double>(column);
      svg += "<rect class=\"bar\" x=\"" + at(x) + "\" y=\"" + at(kTop + plotHeight - height) + "\" width=\"" +
             at(barWidth) + "\" height=\"" + at(height) + "\" fill=\"" + kColours[column % std::size(kColours)] +
             "\"><title>" + HtmlText(stationName(station)) + ": " + std::to_string(count) + "</title></rect>\n";
    }
  }
  // At most eight times along the bottom, each at its bar's start.
  const bool manyDays = *highest / 1440 != *lowest / 1440;
  const std::size_t every = std::max<std::size_t>(1, (bins + 7) / 8);
  for (std::size_t bin = 0; bin < bins; bin += every) {
    const double x = kLeft + binWidth * static_cast<double>(bin);
    svg += "<text x=\"" + at(x) + "\" y=\"" + at(kTop + plotHeight + 14) + "\">" +
           TimeLabel((firstBin + static_cast<long long>(bin)) * span, manyDays) + "</text>\n";
  }
  std::size_t place = 0;
  for (const auto& [station, column] : stations) {
    const double x = kLeft + 160.0 * static_cast<double>(place % 4);
    const double y = kHeight + 16.0 * static_cast<double>(place / 4) - 12;
    svg += "<rect x=\"" + at(x) + "\" y=\"" + at(y) + "\" width=\"10\" height=\"10\" fill=\"" +
           kColours[column % std::size(kColours)] + "\"/><text x=\"" + at(x + 14) + "\" y=\"" + at(y + 9) + "\">" +
           HtmlText(stationName(station)) + "</text>\n";
    ++place;
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace vx
