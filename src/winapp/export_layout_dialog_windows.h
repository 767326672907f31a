#pragma once
// The dialog of "Export…": the layout (a named one, or a layout file chosen
// through an open dialog), the form of EM4100 numbers and the byte-order mark
// that spreadsheets want, then OK or Cancel.

#include <windows.h>

#include <optional>
#include <string>

#include "operations/host.h"

namespace vx::win {

// The choice; nullopt when cancelled, also when the layout file is not chosen.
std::optional<ExportChoice> AskForExportLayout(HINSTANCE instance, HWND owner, const std::string& title);

}  // namespace vx::win
