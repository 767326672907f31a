#include "record/record_columns.h"

namespace vx {

std::string RecordColumnNames(std::string_view separator, std::size_t count) {
  std::string names;
  for (std::size_t at = 0; at < count && at < kRecordColumns; ++at) {
    if (!names.empty()) names += separator;
    names += kRecordColumnTable[at].name;
  }
  return names;
}

}  // namespace vx
