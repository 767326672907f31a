#include <cstdlib>

#include "store/store_connection.h"

namespace vx {

std::string SharedRecordVariable() {
  const char* value = std::getenv("VX_SHARED_RECORD");
  return value ? value : "";
}

}  // namespace vx
