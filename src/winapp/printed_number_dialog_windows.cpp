#include "winapp/printed_number_dialog_windows.h"

#include "cardlist/card_file.h"
#include "i18n/translate.h"
#include "platform/utf16_text.h"
#include "winapp/dialog_text_windows.h"
#include "winapp/printed_number_dialog_ids_windows.h"

namespace vx::win {

namespace {

struct PrintedNumberAsked {
  const std::string* title;
  const std::string* prompt;
  std::optional<std::string> typed;
};

INT_PTR CALLBACK PrintedNumberProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* asked = reinterpret_cast<PrintedNumberAsked*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      asked = reinterpret_cast<PrintedNumberAsked*>(lParam);
      SetWindowTextW(dialog, Wide(*asked->title).c_str());
      SetDlgItemTextW(dialog, VX_PRINTED_NUMBER_PROMPT, Wide(*asked->prompt).c_str());
      PutOkCancelCaptions(dialog);
      // Room for the longest printed number and the blanks a scanner may send.
      HWND field = GetDlgItem(dialog, VX_PRINTED_NUMBER_FIELD);
      SendMessageW(field, EM_LIMITTEXT, static_cast<WPARAM>(kPrintedNumberDigits + 8), 0);
      SetFocus(field);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          asked->typed = Utf8(DialogItemText(dialog, VX_PRINTED_NUMBER_FIELD));
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

std::optional<std::string> AskForPrintedNumber(HINSTANCE instance, HWND owner, const std::string& title,
                                               const std::string& prompt) {
  PrintedNumberAsked asked{&title, &prompt, std::nullopt};
  DialogBoxParamW(instance, MAKEINTRESOURCEW(VX_PRINTED_NUMBER_DIALOG), owner, &PrintedNumberProcedure,
                  reinterpret_cast<LPARAM>(&asked));
  return asked.typed;
}

}  // namespace vx::win
