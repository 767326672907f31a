#include "winapp/dialog_text_windows.h"

namespace vx::win {

std::wstring DialogItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthW(item);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(item, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace vx::win
