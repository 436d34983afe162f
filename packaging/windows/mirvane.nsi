; The Windows installer: one per-machine copy under Program Files\Telvar\Mirvane, a
; Start-menu entry, claim files (.mirvane) opening in the program, an uninstaller in
; Windows' list of programs. The user's lists (%APPDATA%\Telvar\Mirvane) and claim files
; are never touched: neither an upgrade nor the uninstaller removes anything it did not
; install. "/S" installs and uninstalls without a question (offices deploying it).
;
; makensis -DVERSION=1.1.4 -DSTAGE=<installed bin folder> -DFILES=<files.nsh>
;          -DUNFILES=<unfiles.nsh> -DOUTFILE=<installer.exe> mirvane.nsi
; scripts/package-windows.sh writes the two file lists from the staged folder.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Mirvane"
!define PUBLISHER "Telvar"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Telvar Mirvane"
!define FILE_CLASS "Telvar.Mirvane.Dosya"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Telvar\Mirvane"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1055 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1055 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1055 "FileDescription" "${PRODUCT} kurulumu"
VIAddVersionKey /LANG=1055 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1055 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1055 "LegalCopyright" "© ${PUBLISHER}"

!define MUI_ICON "${STAGE}\mirvane.ico"
!define MUI_UNICON "${STAGE}\mirvane.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\mirvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Mirvane'yi başlat"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Turkish"

Function .onInit
  ; The installer itself is a 64-bit program; this guards a Windows that starts it
  ; through an emulation without 64-bit programs of its own.
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Mirvane 64 bit Windows gerektirir (Windows 10 ya da 11, 64 bit). Bu bilgisayarın Windows'u 32 bittir; kurulum yapılmadı." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

; An older version is removed first by its own uninstaller, run in place and silently:
; it deletes only the files it installed, so the user's lists stay.
Function RemoveOlderVersion
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
    Return
  ${EndIf}
  ${If} ${FileExists} "$0\uninstall.exe"
    ClearErrors
    ExecWait '"$0\uninstall.exe" /S _?=$0' $1
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}
FunctionEnd

Section "Mirvane" SecMain
  SectionIn RO
  Call RemoveOlderVersion
  SetOverwrite on
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Mirvane.lnk" "$INSTDIR\mirvane.exe" "" "$INSTDIR\mirvane.exe" 0

  ; Claim files open in the program, with its icon.
  WriteRegStr HKLM "Software\Classes\.mirvane" "" "${FILE_CLASS}"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}" "" "Mirvane dosya hesabı"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}\DefaultIcon" "" '"$INSTDIR\mirvane.exe",0'
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}\shell\open\command" "" '"$INSTDIR\mirvane.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\mirvane.exe",0'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; Explorer shows the new file type and icon at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  ; Only what the installer put there; a folder goes only when it is left empty, so
  ; lists or claim files a user kept inside stay with it.
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."

  Delete "$SMPROGRAMS\Mirvane.lnk"
  ReadRegStr $0 HKLM "Software\Classes\.mirvane" ""
  ${If} $0 == "${FILE_CLASS}"
    DeleteRegKey HKLM "Software\Classes\.mirvane"
  ${EndIf}
  DeleteRegKey HKLM "Software\Classes\${FILE_CLASS}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
