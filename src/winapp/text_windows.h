#pragma once
// The program keeps every text in UTF-8; the Windows API takes UTF-16.

#include <string>

namespace vx::win {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

}  // namespace vx::win
