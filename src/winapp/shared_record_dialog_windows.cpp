#include "winapp/shared_record_dialog_windows.h"

#include <algorithm>

#include "platform/utf16_text.h"
#include "i18n/translate.h"
#include "store/connection_string.h"
#include "winapp/dialog_text_windows.h"
#include "winapp/shared_record_dialog_ids_windows.h"
#include "winapp/window_fonts_windows.h"
#include "winapp/window_layout_windows.h"

namespace vx::win {

namespace {

struct DialogData {
  const std::vector<std::string>* dataSources;
  std::optional<std::string> chosen;
};

std::wstring FieldText(HWND dialog, int id = VX_CONNECTION_FIELD) { return DialogItemText(dialog, id); }

RECT PlaceOf(HWND dialog, int id) {
  RECT place{};
  GetWindowRect(GetDlgItem(dialog, id), &place);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// The template is sized for English: its texts are put in here in the
// language in use, and OK and Cancel widen leftwards, from their right edge,
// where a word of that language needs more room.
void PutInTexts(HWND dialog) {
  SetWindowTextW(dialog, Wide(Tr("Shared Record")).c_str());
  // TRANSLATORS: above the list of the system's ODBC data sources.
  SetDlgItemTextW(dialog, VX_DATA_SOURCE_LABEL, Wide(Tr("Data sources:")).c_str());
  // TRANSLATORS: above the box for an ODBC data source's name or a whole connection string.
  SetDlgItemTextW(dialog, VX_CONNECTION_LABEL, Wide(Tr("Data source or connection string:")).c_str());
  // TRANSLATORS: above the masked box for the database password, kept apart
  // from the connection string so that it is never shown.
  SetDlgItemTextW(dialog, VX_PASSWORD_LABEL, Wide(Tr("Password (if the connection needs one):")).c_str());
  PutOkCancelCaptions(dialog);

  const int dpi = DpiOf(dialog);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  const MeasureText measure = [dpi, font](FontRole, const std::wstring& text, int) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{MulDiv(size.cx, 96, dpi), MulDiv(size.cy, 96, dpi)};
  };
  const auto needs = [&](int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, id, text, 64);
    return MulDiv(NeededSize(ControlKind::PushButton, FontRole::Normal, text, 0, measure).cx, dpi, 96);
  };
  const RECT ok = PlaceOf(dialog, IDOK);
  const RECT cancel = PlaceOf(dialog, IDCANCEL);
  const int width = std::max({static_cast<int>(cancel.right - cancel.left), needs(IDOK), needs(IDCANCEL)});
  if (width == cancel.right - cancel.left) return;
  const int gap = cancel.left - ok.right;
  MoveWindow(GetDlgItem(dialog, IDCANCEL), cancel.right - width, cancel.top, width, cancel.bottom - cancel.top, FALSE);
  MoveWindow(GetDlgItem(dialog, IDOK), cancel.right - width - gap - width, ok.top, width, ok.bottom - ok.top, FALSE);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* data = reinterpret_cast<DialogData*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      data = reinterpret_cast<DialogData*>(lParam);
      PutInTexts(dialog);
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
          data->chosen = WithPassword(Utf8(FieldText(dialog)), Utf8(FieldText(dialog, VX_PASSWORD_FIELD)));
          // The password's copy in this window's memory goes with the dialog.
          SetDlgItemTextW(dialog, VX_PASSWORD_FIELD, L"");
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
