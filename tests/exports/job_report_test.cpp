#include "exports/job_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exports/report_chart.h"
#include "exports/report_html.h"

namespace vx {
namespace {

struct Attempt {
  const char* time;
  const char* fc;
  const char* cn;
  const char* outcome;
  const char* source = "/cards/a.txt";
};

RecordLine LineOf(const Attempt& a) {
  RecordLine line;
  line.time = a.time;
  line.port = "/dev/ttyS0";
  line.tab = "HID  WG26";
  line.format = "HID26";
  line.facilityCode = a.fc;
  line.cardNumber = a.cn;
  line.source = a.source;
  line.outcome = a.outcome;
  return line;
}

std::vector<CredentialOutcome> OutcomesOf(const std::vector<Attempt>& attempts) {
  std::vector<RecordLine> lines;
  for (const Attempt& a : attempts) lines.push_back(LineOf(a));
  return OutcomesOfRecord(lines);
}

// The counts: a credential counts once, by its last write; every write that
// did not end written is a failed attempt; one whose card may hold it is
// unknown until a later write settles it.
TEST(JobReport, CountsEachCredentialByItsLastWrite) {
  struct Case {
    const char* name;
    std::vector<Attempt> attempts;
    int written, failed, unknown;
    const char* range;  // the card numbers written, lowest and highest
  };
  const Case cases[] = {
      {"all written", {{"2026-12-01T10:00:00.000+01:00", "12", "1000", "written"},
                       {"2026-12-01T10:00:05.000+01:00", "12", "1001", "written"}}, 2, 0, 0, "1000-1001"},
      {"a failure then a rewrite",
       {{"2026-12-01T10:00:00.000+01:00", "12", "1000", "verify failed"},
        {"2026-12-01T10:00:09.000+01:00", "12", "1000", "written"}}, 1, 1, 0, "1000-1000"},
      {"unconfirmed at last", {{"2026-12-01T10:00:00.000+01:00", "12", "1000", "no read-back"}}, 0, 1, 1, ""},
      {"written twice counts once",
       {{"2026-12-01T10:00:00.000+01:00", "12", "1000", "written"},
        {"2026-12-01T11:00:00.000+01:00", "12", "1000", "written"},
        {"2026-12-01T11:00:01.000+01:00", "12", "999", "written"}}, 2, 0, 0, "999-1000"},
      {"reads and edited lines are no cards",
       {{"2026-12-01T10:00:00.000+01:00", "", "", "read"}, {"yesterday", "12", "5", "written"},
        {"2026-12-01T10:00:00.000+01:00", "12", "x", "written"}}, 0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const JobReport report = SummarizeJob(OutcomesOf(c.attempts), {});
    EXPECT_EQ(report.written, c.written);
    EXPECT_EQ(report.failedAttempts, c.failed);
    EXPECT_EQ(report.unknown, c.unknown);
    const std::string range = report.cardNumbers ? std::to_string(report.cardNumbers->first) + "-" +
                                                       std::to_string(report.cardNumbers->second)
                                                 : "";
    EXPECT_EQ(range, c.range);
    EXPECT_EQ(report.credentials.size(), static_cast<std::size_t>(c.written));
    EXPECT_FALSE(report.passedOver);  // a card record names no station
  }
}

// The page stands alone and shows text from outside as text: no script, no
// outside resource, no markup from a file name.
TEST(JobReport, PageIsSelfContainedAndShowsOutsideTextAsText) {
  const std::vector<Attempt> attempts = {
      {"2026-12-01T10:00:00.000+01:00", "12", "1000", "written", "/cards/<script>alert(1)</script>&.txt"},
      {"2026-12-01T10:20:00.000+01:00", "12", "1001", "written", "/cards/<script>alert(1)</script>&.txt"},
      {"2026-12-01T10:21:00.000+01:00", "12", "1002", "no acknowledgement", "/cards/<script>alert(1)</script>&.txt"},
  };
  const std::string page = RenderJobReport(SummarizeJob(OutcomesOf(attempts), {}), "de");
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n<html lang=\"de\">"));
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt;&amp;.txt"), std::string::npos);
  for (const char* outside : {"src=", "href=", "url(", "@import"}) EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  EXPECT_NE(page.find("<tr id=\"written\"><th>Written</th><td class=\"n\">2</td>"), std::string::npos);
  EXPECT_NE(page.find("<tr id=\"failed\"><th>Failed attempts</th><td class=\"n\">1</td>"), std::string::npos);
  // Two quarter hours, one station: two bars.
  std::size_t bars = 0;
  for (std::size_t at = page.find("class=\"bar\""); at != std::string::npos; at = page.find("class=\"bar\"", at + 1)) ++bars;
  EXPECT_EQ(bars, 2u);
  EXPECT_NE(page.find("Cards written per 15 minutes, by station"), std::string::npos);
}

TEST(JobReport, ChartSpanKeepsALongJobToItsMostBars) {
  struct Case {
    long long first, last;
    int span;
  };
  const Case cases[] = {
      {0, 0, 15},
      {0, 15 * 95, 15},         // 96 quarter hours
      {0, 15 * 96, 30},         // 97: doubled
      {7, 15 * 95 + 7, 15},     // from 7 minutes past: still 96 quarter hours
      {0, 1440 * 3, 60},        // three days: an hour a bar
      {0, 1440 * 365, 7680},
  };
  for (const Case& c : cases) {
    const int span = ChartSpanMinutes(c.first, c.last);
    EXPECT_EQ(span, c.span) << c.first << ".." << c.last;
    EXPECT_LE(c.last / span - c.first / span + 1, static_cast<long long>(kChartMostBars));
  }
}

TEST(JobReport, HtmlTextKeepsMarkupAndControlsOut) {
  EXPECT_EQ(HtmlText("a<b>&\"'c"), "a&lt;b&gt;&amp;&quot;&#39;c");
  EXPECT_EQ(HtmlText(std::string("x\x01y\x7F", 4)), "x\uFFFDy\uFFFD");
  EXPECT_EQ(HtmlText("a\xC2\x85" "b\xFF" "c"), "a\uFFFDb\uFFFDc");  // a C1 control, a byte no UTF-8 starts with
  EXPECT_EQ(HtmlText("Zürich\tA"), "Zürich\tA");
}

}  // namespace
}  // namespace vx
