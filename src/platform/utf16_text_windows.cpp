#include "platform/utf16_text.h"

namespace vx {

// The Windows API's wide strings are UTF-16 in wchar_t: the same conversion
// as ODBC's, so both treat a stray byte or a lone surrogate alike.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Wide(const std::string& utf8) {
  const std::u16string utf16 = Utf16Of(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string Utf8(const std::wstring& wide) { return Utf8Of(std::u16string(wide.begin(), wide.end())); }

}  // namespace vx
