#include <unistd.h>

#include <climits>

#include "store/store_connection.h"

namespace vx {

std::string DefaultStationName() {
#ifdef HOST_NAME_MAX
  char name[HOST_NAME_MAX + 1] = {};
#else
  char name[256] = {};
#endif
  if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "station";
  return name;
}

}  // namespace vx
