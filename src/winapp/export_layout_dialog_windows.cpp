#include "winapp/export_layout_dialog_windows.h"

#include "exports/credential_fields.h"
#include "exports/export_layout.h"
#include "winapp/dialog_text_windows.h"
#include "i18n/translate.h"
#include "platform/utf16_text.h"
#include "winapp/export_layout_dialog_ids_windows.h"
#include "winapp/file_dialogs_windows.h"

namespace vx::win {

namespace {

struct ExportAsked {
  const std::string* title;
  std::optional<ExportChoice> choice;
};

void AddEntry(HWND dialog, int list, const std::string& text) {
  SendDlgItemMessageW(dialog, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

std::size_t Selected(HWND dialog, int list) {
  return static_cast<std::size_t>(SendDlgItemMessageW(dialog, list, CB_GETCURSEL, 0, 0));
}

// What the dialog shows chosen; for "a layout file…" the file is asked for now.
std::optional<ExportChoice> ChoiceShown(HWND dialog) {
  ExportChoice choice;
  const std::size_t layout = Selected(dialog, VX_EXPORT_LAYOUT_LIST);
  if (layout < kLayoutNames.size()) {
    choice.layoutName = std::string(kLayoutNames[layout]);
  } else {
    const std::optional<std::string> file = ChooseFileToOpen(dialog);
    if (!file) return std::nullopt;
    choice.layoutFile = *file;
  }
  const std::size_t form = Selected(dialog, VX_EXPORT_EM4100_LIST);
  choice.em4100 = std::string(kEm4100Forms[form < kEm4100Forms.size() ? form : 0].name);
  choice.byteOrderMark = IsDlgButtonChecked(dialog, VX_EXPORT_BOM_BOX) == BST_CHECKED;
  return choice;
}

INT_PTR CALLBACK ExportLayoutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* asked = reinterpret_cast<ExportAsked*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      asked = reinterpret_cast<ExportAsked*>(lParam);
      SetWindowTextW(dialog, Wide(*asked->title).c_str());
      SetDlgItemTextW(dialog, VX_EXPORT_LAYOUT_LABEL, Wide(Tr("Layout:")).c_str());
      SetDlgItemTextW(dialog, VX_EXPORT_EM4100_LABEL, Wide(Tr("EM4100 numbers:")).c_str());
      SetDlgItemTextW(dialog, VX_EXPORT_BOM_BOX, Wide(Tr("byte-order mark for spreadsheets")).c_str());
      PutOkCancelCaptions(dialog);
      // The layouts' names are the command line's, and stay as they are.
      for (const std::string_view name : kLayoutNames) AddEntry(dialog, VX_EXPORT_LAYOUT_LIST, std::string(name));
      AddEntry(dialog, VX_EXPORT_LAYOUT_LIST, Tr("a layout file…"));
      for (const Em4100FormName& form : kEm4100Forms) AddEntry(dialog, VX_EXPORT_EM4100_LIST, std::string(form.name));
      SendDlgItemMessageW(dialog, VX_EXPORT_LAYOUT_LIST, CB_SETCURSEL, 0, 0);
      SendDlgItemMessageW(dialog, VX_EXPORT_EM4100_LIST, CB_SETCURSEL, 0, 0);
      return TRUE;
    case WM_COMMAND: {
      // OK and Cancel end the dialog; the lists and the box keep what is chosen.
      const int button = LOWORD(wParam);
      if (button != IDOK && button != IDCANCEL) return FALSE;
      if (button == IDOK) asked->choice = ChoiceShown(dialog);
      EndDialog(dialog, button);
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace

std::optional<ExportChoice> AskForExportLayout(HINSTANCE instance, HWND owner, const std::string& title) {
  ExportAsked asked{&title, std::nullopt};
  DialogBoxParamW(instance, MAKEINTRESOURCEW(VX_EXPORT_LAYOUT_DIALOG), owner, &ExportLayoutProcedure,
                  reinterpret_cast<LPARAM>(&asked));
  return asked.choice;
}

}  // namespace vx::win
