#pragma once
// ODBC's wide calls take UTF-16 on every platform (unixODBC and Windows
// alike); the program keeps its texts in UTF-8. Converting here, rather than
// through the narrow calls and a code page, keeps names outside ASCII intact.

#include <string>
#include <string_view>

namespace vx::odbc {

// Bytes that are not UTF-8 become U+FFFD.
std::u16string Utf16Of(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string Utf8Of(std::u16string_view utf16);

}  // namespace vx::odbc
