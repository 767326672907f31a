#pragma once
// The dialog that "Shared Record" shows when no connection was given at
// start: the system's data sources, and a field for a connection string.

#include <optional>
#include <string>
#include <vector>

class QWidget;

// The data source chosen or the connection string typed; nullopt when cancelled.
std::optional<std::string> AskForSharedRecord(QWidget* parent, const std::vector<std::string>& dataSources);
