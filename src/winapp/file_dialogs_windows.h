#pragma once
// The file dialogs of "Browse" and "Keep Record", in the system's own look.

#include <windows.h>

#include <optional>
#include <string>

namespace vx::win {

// The card-number file: no title and no filter, so a file named, say,
// cards.dat is never hidden. nullopt when cancelled.
std::optional<std::string> ChooseCardFile(HWND owner);

// The record file, proposing `fileName` in the documents folder (the
// profile folder when there is none). The record is appended to, never
// replaced, so choosing a file that exists asks nothing. nullopt when cancelled.
std::optional<std::string> ChooseRecordFile(HWND owner, const std::string& fileName);

}  // namespace vx::win
