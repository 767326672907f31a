#pragma once
// The program keeps every text in UTF-8. ODBC's wide calls take UTF-16 on
// every platform (unixODBC and Windows alike), and so does the Windows API.
// Converting here, rather than through the narrow calls and a code page,
// keeps names outside ASCII intact.

#include <string>
#include <string_view>

namespace vx {

// Bytes that are not UTF-8 become U+FFFD.
std::u16string Utf16Of(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string Utf8Of(std::u16string_view utf16);

#ifdef _WIN32
// The same, for the Windows API's wide strings.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
#endif

}  // namespace vx
