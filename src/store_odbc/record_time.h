#pragma once
// The instant a record time ("2026-12-08T19:02:03.123+01:00") names, for
// telling how old a reservation is across stations in other time zones.

#include <chrono>
#include <optional>
#include <string_view>

namespace vx::odbc {

std::optional<std::chrono::system_clock::time_point> TimeOfRecordText(std::string_view text);

}  // namespace vx::odbc
