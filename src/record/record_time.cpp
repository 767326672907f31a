#include "record/record_time.h"

#include <charconv>

namespace vx {

namespace {

bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
  if (at + count > text.size()) return false;
  const char* first = text.data() + at;
  const auto [end, ec] = std::from_chars(first, first + count, value);
  return ec == std::errc() && end == first + count;
}

}  // namespace

std::optional<std::chrono::system_clock::time_point> TimeOfRecordText(std::string_view text) {
  using namespace std::chrono;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millis = 0;
  if (!Digits(text, 0, 4, year) || text.size() < 19 || text[4] != '-' || !Digits(text, 5, 2, month) ||
      text[7] != '-' || !Digits(text, 8, 2, day) || text[10] != 'T' || !Digits(text, 11, 2, hour) ||
      text[13] != ':' || !Digits(text, 14, 2, minute) || text[16] != ':' || !Digits(text, 17, 2, second))
    return std::nullopt;
  std::size_t at = 19;
  if (at < text.size() && text[at] == '.') {
    if (!Digits(text, at + 1, 3, millis)) return std::nullopt;
    at += 4;
  }
  int offsetMinutes = 0;
  if (at < text.size() && text[at] == 'Z') {
    ++at;
  } else {
    int offsetHours = 0, offsetRest = 0;
    if (at + 6 != text.size() || (text[at] != '+' && text[at] != '-') || !Digits(text, at + 1, 2, offsetHours) ||
        text[at + 3] != ':' || !Digits(text, at + 4, 2, offsetRest))
      return std::nullopt;
    offsetMinutes = (text[at] == '-' ? -1 : 1) * (offsetHours * 60 + offsetRest);
    at += 6;
  }
  const year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                            std::chrono::day(static_cast<unsigned>(day))};
  if (at != text.size() || !date.ok() || hour > 23 || minute > 59 || second > 60) return std::nullopt;
  const auto local = sys_days(date) + hours(hour) + minutes(minute) + seconds(second) + milliseconds(millis);
  return time_point_cast<system_clock::duration>(local - minutes(offsetMinutes));
}

}  // namespace vx
