#include "record/record_columns.h"

namespace vx {

std::string RecordColumnNames(std::string_view separator) {
  std::string names;
  for (const RecordColumn& column : kRecordColumnTable) {
    if (!names.empty()) names += separator;
    names += column.name;
  }
  return names;
}

}  // namespace vx
