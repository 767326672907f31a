#include <cstdlib>
#include <string_view>

#include "store/store_connection.h"
#include "platform/utf16_text.h"

namespace vx {

// The environment's own UTF-16, so a password in any script comes through.
std::string SharedRecordVariable() {
  const wchar_t* value = ::_wgetenv(L"VX_SHARED_RECORD");
  return value ? Utf8Of(std::u16string_view(reinterpret_cast<const char16_t*>(value))) : "";
}

}  // namespace vx
