#include "winapp/dialog_text_windows.h"

#include "i18n/translate.h"
#include "platform/utf16_text.h"

namespace vx::win {

std::wstring DialogItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthW(item);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(item, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void PutOkCancelCaptions(HWND dialog) {
  SetDlgItemTextW(dialog, IDOK, Wide(TrCtx("button", "OK")).c_str());
  SetDlgItemTextW(dialog, IDCANCEL, Wide(TrCtx("button", "Cancel")).c_str());
}

}  // namespace vx::win
