#include "winapp/file_dialogs_windows.h"

#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

#include "platform/utf16_text.h"
#include "i18n/translate.h"

namespace vx::win {

namespace {

// Long paths are allowed for; the dialog fails rather than cut one short.
constexpr DWORD kPathChars = 32768;

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Chosen(BOOL accepted, const std::vector<wchar_t>& buffer) {
  if (!accepted || buffer[0] == L'\0') return std::nullopt;
  return Utf8(buffer.data());
}

}  // namespace

std::optional<std::string> ChooseCardFile(HWND owner) {
  std::vector<wchar_t> file(kPathChars, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kPathChars;
  // The program reads HID.cfg from its current folder: the dialog must not move it.
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  return Chosen(GetOpenFileNameW(&dialog), file);
}

std::optional<std::string> ChooseRecordFile(HWND owner, const std::string& fileName) {
  std::wstring folder = KnownFolder(FOLDERID_Documents);
  // A fresh account may have no documents folder yet: the profile folder,
  // rather than wherever the program happens to run.
  if (!IsFolder(folder)) folder = KnownFolder(FOLDERID_Profile);

  std::vector<wchar_t> file(kPathChars, L'\0');
  const std::wstring proposed = Wide(fileName);
  proposed.copy(file.data(), kPathChars - 1);
  // Each filter is its description and its pattern; the list ends in an empty one.
  // TRANSLATORS: a file type in the save dialog of the card record.
  std::wstring filter = Wide(Tr("Card records (*.csv)"));
  filter += std::wstring(L"\0*.csv\0", 7);
  // TRANSLATORS: a file type in the save dialog of the card record.
  filter += Wide(Tr("All files (*.*)"));
  filter += std::wstring(L"\0*.*\0", 5);
  // TRANSLATORS: the title of the dialog that chooses where the card record goes.
  const std::wstring title = Wide(Tr("Card record"));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kPathChars;
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = L"csv";
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  return Chosen(GetSaveFileNameW(&dialog), file);
}

}  // namespace vx::win
