; The Windows installer of VANDORIX PROGRAMMER, made by scripts/package-windows:
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> -DICON=<.ico> vandorix-programmer.nsi
; Installs into Program Files with a Start-menu entry that runs the program in
; the operator's own folder (--user-folder: %LOCALAPPDATA%\vandorix-programmer),
; and an uninstaller listed among the installed programs. /S installs and
; uninstalls silently. The uninstaller removes what it installed and nothing
; else: the operator's HID.cfg and card records live in the user folder and
; in Documents, and stay.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define PRODUCT "VANDORIX PROGRAMMER"
!define PROGRAM "vandorix-programmer.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VandorixProgrammer"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; An earlier installation's folder, when there is one.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "CompanyName" "The VANDORIX PROGRAMMER developers"
VIAddVersionKey "LegalCopyright" "The VANDORIX PROGRAMMER developers"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_PARAMETERS "--user-folder"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Install"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}/${PROGRAM}"
  !if /FileExists "${STAGE}/vandorix-card.exe"
    File "${STAGE}/vandorix-card.exe"
  !endif
  ; The sample that --user-folder copies into the operator's folder on first use.
  File "${STAGE}/HID.cfg"
  File "${STAGE}/README.md"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "--user-folder" "$INSTDIR\${PROGRAM}" 0 SW_SHOWNORMAL "" "Write and read 125 kHz proximity cards"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The VANDORIX PROGRAMMER developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\vandorix-card.exe"
  Delete "$INSTDIR\HID.cfg"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: whatever else someone put there stays.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
