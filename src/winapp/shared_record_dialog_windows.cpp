#include "winapp/shared_record_dialog_windows.h"

#include "core/wide_text_windows.h"
#include "winapp/shared_record_dialog_ids_windows.h"

namespace vx::win {

namespace {

struct DialogData {
  const std::vector<std::string>* dataSources;
  std::optional<std::string> chosen;
};

std::wstring FieldText(HWND dialog) {
  HWND field = GetDlgItem(dialog, VX_CONNECTION_FIELD);
  const int length = GetWindowTextLengthW(field);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(field, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* data = reinterpret_cast<DialogData*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      data = reinterpret_cast<DialogData*>(lParam);
      HWND list = GetDlgItem(dialog, VX_DATA_SOURCE_LIST);
      for (const std::string& source : *data->dataSources)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(source).c_str()));
      EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case VX_DATA_SOURCE_LIST: {
          // A data source is a connection of its own: choosing one fills the field.
          if (HIWORD(wParam) != LBN_SELCHANGE && HIWORD(wParam) != LBN_DBLCLK) return FALSE;
          HWND list = reinterpret_cast<HWND>(lParam);
          const auto index = SendMessageW(list, LB_GETCURSEL, 0, 0);
          if (index < 0) return TRUE;
          std::wstring name(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
          SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name.data()));
          SetDlgItemTextW(dialog, VX_CONNECTION_FIELD, name.c_str());
          if (HIWORD(wParam) == LBN_DBLCLK) PostMessageW(dialog, WM_COMMAND, IDOK, 0);
          return TRUE;
        }
        case VX_CONNECTION_FIELD:
          if (HIWORD(wParam) == EN_CHANGE) EnableWindow(GetDlgItem(dialog, IDOK), !FieldText(dialog).empty());
          return TRUE;
        case IDOK:
          if (FieldText(dialog).empty()) return TRUE;
          data->chosen = Utf8(FieldText(dialog));
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

std::optional<std::string> ChooseSharedRecord(HINSTANCE instance, HWND owner,
                                              const std::vector<std::string>& dataSources) {
  DialogData data{&dataSources, std::nullopt};
  DialogBoxParamW(instance, MAKEINTRESOURCEW(VX_SHARED_RECORD_DIALOG), owner, &DialogProcedure,
                  reinterpret_cast<LPARAM>(&data));
  return data.chosen;
}

}  // namespace vx::win
