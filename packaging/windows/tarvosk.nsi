; The Windows installer of Tarvosk: one per-machine installation in Program Files with a Start
; menu entry, the .tarvosk document type for every user and an "Apps and features" entry, and an
; uninstaller that takes away only what the installer put there.
;
; cmake/windows_package.cmake runs it:
;   makensis -DTARVOSK_VERSION=1.0.3 -DTARVOSK_EXE=... -DTARVOSK_ICON=... -DTARVOSK_README=...
;            -DTARVOSK_OUTFILE=.../tarvosk-1.0.3-setup.exe tarvosk.nsi
;
; The installer itself is a 64-bit program: tarvosk.exe runs on 64-bit Windows only, so a 32-bit
; stub would only add a second registry view to keep apart. Its registry calls still say
; SetRegView 64 so that the intent survives a change of stub.

!macro RequireDefine NAME
  !ifndef ${NAME}
    !error "${NAME} is not defined: pass -D${NAME}=... (cmake/windows_package.cmake does)"
  !endif
!macroend
!insertmacro RequireDefine TARVOSK_VERSION
!insertmacro RequireDefine TARVOSK_EXE
!insertmacro RequireDefine TARVOSK_ICON
!insertmacro RequireDefine TARVOSK_README
!insertmacro RequireDefine TARVOSK_OUTFILE

Unicode true
Target amd64-unicode
SetCompressor /SOLID /FINAL lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Тарвоск"
!define PUBLISHER "Разработчики Тарвоска"
!define PROGID "Tarvosk.Document"
!define CLASSES "Software\Classes"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvosk"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
Caption "Установка Тарвоска ${TARVOSK_VERSION}"
UninstallCaption "Удаление Тарвоска ${TARVOSK_VERSION}"
BrandingText "${PRODUCT} ${TARVOSK_VERSION}"
OutFile "${TARVOSK_OUTFILE}"
InstallDir "$PROGRAMFILES64\Tarvosk"
; A new version goes where the last one is, unless /D= or the directory page says otherwise.
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define MUI_ICON "${TARVOSK_ICON}"
!define MUI_UNICON "${TARVOSK_ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Russian"

; The uninstaller is written from the same header and carries the same block, hence a
; description that fits both.
VIProductVersion "${TARVOSK_VERSION}.0"
VIFileVersion "${TARVOSK_VERSION}.0"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "ProductVersion" "${TARVOSK_VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "FileVersion" "${TARVOSK_VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "FileDescription" "Установка и удаление Тарвоска — редактора плана звонницы"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "LegalCopyright" "© ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "OriginalFilename" "tarvosk-${TARVOSK_VERSION}-setup.exe"

!macro RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP|MB_OK "Для установки и удаления Тарвоска нужны права администратора." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
!macroend

Function .onInit
  SetShellVarContext all
  SetRegView 64
  !insertmacro RequireAdministrator
FunctionEnd

Section "Тарвоск" SecMain
  SectionIn RO
  SetShellVarContext all
  SetRegView 64

  SetOutPath "$INSTDIR"
  File "/oname=tarvosk.exe" "${TARVOSK_EXE}"
  File "/oname=README-ru.txt" "${TARVOSK_README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\tarvosk.exe" "" "$INSTDIR\tarvosk.exe" 0 \
    SW_SHOWNORMAL "" "Редактор плана яруса звона"

  ; The document type for every user; the program's own per-user keys, written at each start,
  ; take precedence for the user who ran it and point at the same program.
  WriteRegStr HKLM "${CLASSES}\.tarvosk" "" "${PROGID}"
  WriteRegStr HKLM "${CLASSES}\${PROGID}" "" "План яруса звона Тарвоска"
  WriteRegStr HKLM "${CLASSES}\${PROGID}\DefaultIcon" "" '"$INSTDIR\tarvosk.exe",1'
  WriteRegStr HKLM "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\tarvosk.exe" "%1"'

  ${GetSize} "$INSTDIR" "/M=*.* /S=0K /G=0" $0 $1 $2
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${TARVOSK_VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\tarvosk.exe,0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)' ; SHCNE_ASSOCCHANGED
SectionEnd

; ---- uninstaller ------------------------------------------------------------------------------

Var OtherInstall ; 1 when the uninstall entry names another folder: its entry and shortcut stay
Var ShortExe     ; tarvosk.exe's short name, taken while the file still exists

Function un.onInit
  SetShellVarContext all
  SetRegView 64
  !insertmacro RequireAdministrator
FunctionEnd

; Sets $R0 to 1 when the string $R1 is "PROGRAM SUFFIX" for this folder's tarvosk.exe under its
; long or its short name, suffix $R2.
Function un.IsOwnProgram
  StrCpy $R0 0
  ${If} $R1 == "$INSTDIR\tarvosk.exe$R2"
  ${OrIf} $R1 == '"$INSTDIR\tarvosk.exe"$R2'
    StrCpy $R0 1
    Return
  ${EndIf}
  ${If} $ShortExe != ""
  ${AndIf} $R1 == "$ShortExe$R2"
    StrCpy $R0 1
  ${EndIf}
FunctionEnd

!macro UnIfOwn VALUE SUFFIX
  StrCpy $R1 `${VALUE}`
  StrCpy $R2 `${SUFFIX}`
  Call un.IsOwnProgram
!macroend

; The keys tarvosk.exe writes for the user at each start, unquoted: "PROGRAM %1" and
; "PROGRAM,0". Another copy of the program (an unpacked zip) registers the same keys with its
; own path; that registration is the user's and stays.
Function un.RemoveUserAssociation
  ReadRegStr $0 HKCU "${CLASSES}\.tarvosk\shell\open\command" ""
  !insertmacro UnIfOwn $0 " %1"
  ${If} $R0 == 1
    DeleteRegKey HKCU "${CLASSES}\.tarvosk\shell\open\command"
    DeleteRegKey /ifempty HKCU "${CLASSES}\.tarvosk\shell\open"
    DeleteRegKey /ifempty HKCU "${CLASSES}\.tarvosk\shell"
  ${EndIf}
  ReadRegStr $0 HKCU "${CLASSES}\.tarvosk\DefaultIcon" ""
  !insertmacro UnIfOwn $0 ",0"
  ${If} $R0 == 1
    DeleteRegKey HKCU "${CLASSES}\.tarvosk\DefaultIcon"
  ${EndIf}
  DeleteRegKey /ifempty HKCU "${CLASSES}\.tarvosk"
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64

  GetFullPathName /SHORT $ShortExe "$INSTDIR\tarvosk.exe"
  ; A running program cannot be deleted; then nothing is taken away, so that the program and
  ; its registration stay consistent.
  ${If} ${FileExists} "$INSTDIR\tarvosk.exe"
    Delete "$INSTDIR\tarvosk.exe"
    ${If} ${FileExists} "$INSTDIR\tarvosk.exe"
      MessageBox MB_ICONSTOP|MB_OK "Не удалось удалить «$INSTDIR\tarvosk.exe»: закройте Тарвоск и повторите удаление." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
  Delete "$INSTDIR\README-ru.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Without /r: a file the user keeps there (view.ini, a document) keeps the folder too.
  RMDir "$INSTDIR"

  StrCpy $OtherInstall 0
  ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 != "$INSTDIR"
    StrCpy $OtherInstall 1
  ${EndIf}
  ${If} $OtherInstall == 0
    Delete "${SHORTCUT}"
    DeleteRegKey HKLM "${UNINST_KEY}"
  ${EndIf}

  ReadRegStr $0 HKLM "${CLASSES}\${PROGID}\shell\open\command" ""
  !insertmacro UnIfOwn $0 ' "%1"'
  ${If} $R0 == 1
    DeleteRegKey HKLM "${CLASSES}\${PROGID}"
    ReadRegStr $0 HKLM "${CLASSES}\.tarvosk" ""
    ${If} $0 == "${PROGID}"
      DeleteRegValue HKLM "${CLASSES}\.tarvosk" ""
    ${EndIf}
    DeleteRegKey /ifempty HKLM "${CLASSES}\.tarvosk"
  ${EndIf}

  Call un.RemoveUserAssociation
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)' ; SHCNE_ASSOCCHANGED
SectionEnd
