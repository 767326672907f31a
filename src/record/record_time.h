#pragma once
// The instant a record time ("2026-12-08T19:02:03.123+01:00") names, for
// telling how old a reservation is across stations in other time zones and
// for putting the writes of several records in the order they were made.
// Nothing for a text that is not a record time.

#include <chrono>
#include <optional>
#include <string_view>

namespace vx {

std::optional<std::chrono::system_clock::time_point> TimeOfRecordText(std::string_view text);

}  // namespace vx
