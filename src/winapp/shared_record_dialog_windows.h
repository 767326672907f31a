#pragma once
// The dialog that "Shared Record" shows when no connection was given at
// start: the system's data sources, and a field for a connection string.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace vx::win {

// The data source chosen or the connection string typed; nullopt when cancelled.
std::optional<std::string> ChooseSharedRecord(HINSTANCE instance, HWND owner,
                                              const std::vector<std::string>& dataSources);

}  // namespace vx::win
