#pragma once
// The file dialogs of "Browse", "Keep Record", "Export…" and "Report…", in
// the system's own look.

#include <windows.h>

#include <optional>
#include <string>

#include "operations/host.h"

namespace vx::win {

// A file to read (the card-number file, a layout file): no title and no
// filter, so a file named, say, cards.dat is never hidden. nullopt when
// cancelled.
std::optional<std::string> ChooseFileToOpen(HWND owner);

// The record file, proposing `fileName` in the documents folder (the
// profile folder when there is none). The record is appended to, never
// replaced, so choosing a file that exists asks nothing. nullopt when cancelled.
std::optional<std::string> ChooseRecordFile(HWND owner, const std::string& fileName);

// Where an export or a report goes, proposing `fileName` in the same folder.
// The file is replaced whole, so choosing one that exists asks first.
std::optional<std::string> ChooseSaveFile(HWND owner, SaveKind kind, const std::string& fileName);

}  // namespace vx::win
