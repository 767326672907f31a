#include "store_odbc/connection_file.h"

namespace vx::odbc {

std::optional<std::string> ConnectionFileExposed(const std::string&) { return std::nullopt; }

}  // namespace vx::odbc
