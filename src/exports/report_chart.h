#pragma once
// The job report's chart: cards written per quarter hour (or per wider span,
// so a long job keeps at most kChartMostBars spans), one bar a station, drawn
// as inline SVG with its heading and legend.

#include <cstddef>
#include <string>
#include <vector>

#include "exports/written_credentials.h"

namespace vx {

inline constexpr std::size_t kChartMostBars = 96;

// `credentials` in the order written, each time a checked record time;
// `stationName` gives a station its caption.
std::string CardsPerQuarterHourSvg(const std::vector<ExportedCredential>& credentials,
                                   std::string (*stationName)(const std::string&));

// The span a chart of writes from `firstMinute` to `lastMinute` gives a bar:
// 15 minutes, doubled until the chart holds at most kChartMostBars of them.
int ChartSpanMinutes(long long firstMinute, long long lastMinute);

}  // namespace vx
