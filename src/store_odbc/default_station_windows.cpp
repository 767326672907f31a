#include <windows.h>

#include "platform/utf16_text.h"
#include "store/store_connection.h"

namespace vx {

std::string DefaultStationName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  if (!::GetComputerNameW(name, &length) || length == 0) return "station";
  return Utf8(std::wstring(name, length));
}

}  // namespace vx
