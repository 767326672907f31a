#include "winapp/file_dialogs_windows.h"

#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

#include "platform/utf16_text.h"
#include "i18n/translate.h"
#include "window/window_controls.h"

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

// Each filter of `filter` is its description and its pattern; the list ends in an empty one.
void AddFilter(std::wstring& filter, const std::string& description, const wchar_t* pattern) {
  filter += Wide(description);
  filter += L'\0';
  filter += pattern;
  filter += L'\0';
}

std::optional<std::string> SaveDialog(HWND owner, const std::string& fileName, const std::wstring& filter,
                                      const std::string& title, const wchar_t* extension, DWORD flags) {
  std::wstring folder = KnownFolder(FOLDERID_Documents);
  // A fresh account may have no documents folder yet: the profile folder,
  // rather than wherever the program happens to run.
  if (!IsFolder(folder)) folder = KnownFolder(FOLDERID_Profile);

  std::vector<wchar_t> file(kPathChars, L'\0');
  const std::wstring proposed = Wide(fileName);
  proposed.copy(file.data(), kPathChars - 1);
  const std::wstring caption = Wide(title);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kPathChars;
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = caption.c_str();
  dialog.lpstrDefExt = extension;
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | flags;
  return Chosen(GetSaveFileNameW(&dialog), file);
}

}  // namespace

std::optional<std::string> ChooseFileToOpen(HWND owner) {
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
  std::wstring filter;
  // TRANSLATORS: a file type in the save dialog of the card record.
  AddFilter(filter, Tr("Card records (*.csv)"), L"*.csv");
  // TRANSLATORS: a file type in the save dialog of the card record.
  AddFilter(filter, Tr("All files (*.*)"), L"*.*");
  // TRANSLATORS: the title of the dialog that chooses where the card record goes.
  return SaveDialog(owner, fileName, filter, Tr("Card record"), L"csv", 0);
}

std::optional<std::string> ChooseSaveFile(HWND owner, SaveKind kind, const std::string& fileName) {
  const bool report = kind == SaveKind::Report;
  std::wstring filter;
  // The patterns stay as they are; each description is the operator's.
  if (report)
    AddFilter(filter, Tr("Web pages") + " (*.html)", L"*.html");
  else
    AddFilter(filter, Tr("Import files") + " (*.csv;*.txt)", L"*.csv;*.txt");
  AddFilter(filter, Tr("All files (*.*)"), L"*.*");
  return SaveDialog(owner, fileName, filter, CaptionOf(report ? Control::Report : Control::Export),
                    report ? L"html" : L"csv", OFN_OVERWRITEPROMPT);
}

}  // namespace vx::win
