; The setup program: installs Nomaro for the current user (no administrator
; rights), registers the context-menu extension in the registry view of each
; server's size, adds a Start-menu shortcut and an entry in the list of
; installed programs, and writes an uninstaller that removes all of it.
;
;   makensis -DBUILD_DIR=<build/win32> installer/Nomaro.nsi
;
; BUILD_DIR holds dist/ (the install layout, both servers in it) and
; installer/version.nsh (the version, made by CMake); the setup program is
; written to BUILD_DIR/Nomaro-<version>-setup.exe.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!ifndef BUILD_DIR
  !error "give -DBUILD_DIR=<the 32-bit build folder>"
!endif
!include "${BUILD_DIR}/installer/version.nsh"
!define DIST "${BUILD_DIR}/dist"
!define CLSID "{11757562-0E2B-4BA2-8F39-EF49D9300A9D}"
!define CLASS_NAME "cMenu"
!define PROGID "ContextMenu.cMenu"
!define CLASSES "Software\Classes"
!define HANDLER_KEY "${CLASSES}\*\shellex\ContextMenuHandlers\Nomaro"
!define UNINSTALL_PARENT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_PARENT}\Nomaro"
!define SHORTCUT "$SMPROGRAMS\Nomaro.lnk"
!define PUBLISHER "The Nomaro developers"

!include MUI2.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include x64.nsh

Name "Nomaro ${NOMARO_VERSION}"
OutFile "${BUILD_DIR}/Nomaro-${NOMARO_VERSION}-setup.exe"
; The user's own programs folder: writable without elevation, so the settings
; file beside the program stays writable too.
InstallDir "$LOCALAPPDATA\Programs\Nomaro"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "Nomaro ${NOMARO_VERSION}"
VIProductVersion "${NOMARO_VERSION_FULL}"
VIAddVersionKey /LANG=0 "ProductName" "Nomaro"
VIAddVersionKey /LANG=0 "ProductVersion" "${NOMARO_VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${NOMARO_VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Nomaro ${NOMARO_VERSION} setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "../resources/nomaro.ico"
!define MUI_UNICON "../resources/nomaro.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Nomaro.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Swedish"

LangString ProgramRunsInstall ${LANG_ENGLISH} "Nomaro is running from $INSTDIR.$\r$\nClose it, then choose Retry."
LangString ProgramRunsInstall ${LANG_GERMAN} "Nomaro läuft aus $INSTDIR.$\r$\nBeenden Sie es und wählen Sie dann Wiederholen."
LangString ProgramRunsInstall ${LANG_SWEDISH} "Nomaro körs från $INSTDIR.$\r$\nStäng det och välj sedan Försök igen."
LangString ProgramRunsUninstall ${LANG_ENGLISH} "Nomaro is running from $INSTDIR.$\r$\nNothing was removed. Close it, then remove Nomaro again."
LangString ProgramRunsUninstall ${LANG_GERMAN} "Nomaro läuft aus $INSTDIR.$\r$\nNichts wurde entfernt. Beenden Sie es und entfernen Sie Nomaro dann erneut."
LangString ProgramRunsUninstall ${LANG_SWEDISH} "Nomaro körs från $INSTDIR.$\r$\nIngenting togs bort. Stäng det och ta sedan bort Nomaro igen."
LangString KeepSettings ${LANG_ENGLISH} "Your settings (filename.ini) were changed since Nomaro was installed.$\r$\nKeep them for a later install?"
LangString KeepSettings ${LANG_GERMAN} "Ihre Einstellungen (filename.ini) wurden seit der Installation geändert.$\r$\nFür eine spätere Installation behalten?"
LangString KeepSettings ${LANG_SWEDISH} "Dina inställningar (filename.ini) har ändrats sedan Nomaro installerades.$\r$\nBehålla dem till en senare installation?"
LangString FilesInUse ${LANG_ENGLISH} "Some files of Nomaro are in use (by the file manager) and will be removed when Windows restarts."
LangString FilesInUse ${LANG_GERMAN} "Einige Dateien von Nomaro sind in Gebrauch (durch den Dateimanager) und werden beim Neustart von Windows entfernt."
LangString FilesInUse ${LANG_SWEDISH} "Några av Nomaros filer används (av filhanteraren) och tas bort när Windows startas om."
LangString ShortcutComment ${LANG_ENGLISH} "Renames and lists the files of a folder"
LangString ShortcutComment ${LANG_GERMAN} "Benennt die Dateien eines Ordners um und listet sie auf"
LangString ShortcutComment ${LANG_SWEDISH} "Byter namn på och listar filerna i en mapp"

; The files of the install layout, once for installing and once for removing.
!macro ForEachProgramFile DO
  !insertmacro ${DO} "Nomaro.exe"
  !insertmacro ${DO} "nomaro3x.dll"
  !insertmacro ${DO} "Nomaro.chm"
  !insertmacro ${DO} "TIPOFDAY.TXT"
  !insertmacro ${DO} "TIPOFDAY3.TXT"
  !insertmacro ${DO} "TIPOFDAY2.TXT"
  !insertmacro ${DO} "hourglas.bin"
!macroend
!macro InstallFile NAME
  File "${DIST}/${NAME}"
!macroend
!macro RemoveFile NAME
  Delete /REBOOTOK "$INSTDIR\${NAME}"
!macroend

; The server's class in the registry view chosen before (SetRegView), as the
; server's own registration writes it, but under ROOT\Software\Classes.
!macro RegisterServer ROOT DLL
  WriteRegStr ${ROOT} "${CLASSES}\CLSID\${CLSID}" "" "${CLASS_NAME}"
  WriteRegStr ${ROOT} "${CLASSES}\CLSID\${CLSID}\InprocServer32" "" "$INSTDIR\${DLL}"
  WriteRegStr ${ROOT} "${CLASSES}\CLSID\${CLSID}\InprocServer32" "ThreadingModel" "Apartment"
  WriteRegStr ${ROOT} "${CLASSES}\CLSID\${CLSID}\ProgID" "" "${PROGID}"
  WriteRegStr ${ROOT} "${CLASSES}\${PROGID}" "" "${CLASS_NAME}"
  WriteRegStr ${ROOT} "${CLASSES}\${PROGID}\CLSID" "" "${CLSID}"
  WriteRegStr ${ROOT} "${HANDLER_KEY}" "" "${CLSID}"
!macroend
; A 64-bit host reads the 64-bit view and a 32-bit one the 32-bit view (on
; 64-bit Windows the class keys differ, the handler key is shared); each
; finds the server of its own size. On 32-bit Windows there is one view.
!macro RegisterServers ROOT
  ${If} ${RunningX64}
    SetRegView 64
    !insertmacro RegisterServer ${ROOT} "nomaro3x64.dll"
  ${EndIf}
  SetRegView 32
  !insertmacro RegisterServer ${ROOT} "nomaro3x.dll"
  SetRegView default
!macroend
; Removes the class, its ProgID and the handler in both views.
!macro UnregisterServers ROOT
  !insertmacro UnregisterServer ${ROOT}
  SetRegView 64
  !insertmacro UnregisterServer ${ROOT}
  SetRegView default
!macroend
!macro UnregisterServer ROOT
  DeleteRegKey ${ROOT} "${CLASSES}\CLSID\${CLSID}"
  DeleteRegKey ${ROOT} "${CLASSES}\${PROGID}"
  DeleteRegKey ${ROOT} "${HANDLER_KEY}"
!macroend

; The parents of those keys that did not exist before are noted in the
; uninstall entry (NewKey.<name> = 1); removal takes away exactly those, once
; empty, and leaves parents that were there before, even empty ones (a fresh
; Wine ships HKLM\Software\Classes\*\shellex\ContextMenuHandlers empty).
!macro NoteNewKey ROOT VIEW KEY NAME
  SetRegView ${VIEW}
  ClearErrors
  EnumRegKey $0 ${ROOT} "${KEY}" 0
  SetRegView default
  ${If} ${Errors}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NewKey.${NAME}" 1
  ${EndIf}
!macroend
!macro RemoveNewKey ROOT VIEW KEY NAME
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "NewKey.${NAME}"
  ${If} $0 == 1
    SetRegView ${VIEW}
    DeleteRegKey /ifempty ${ROOT} "${KEY}"
    SetRegView default
  ${EndIf}
!macroend
; Deepest first.
!macro ForEachParentKey DO ROOT
  !insertmacro ${DO} ${ROOT} 32 "${CLASSES}\*\shellex\ContextMenuHandlers" "${ROOT}.Handlers"
  !insertmacro ${DO} ${ROOT} 32 "${CLASSES}\*\shellex" "${ROOT}.ShellEx"
  !insertmacro ${DO} ${ROOT} 32 "${CLASSES}\*" "${ROOT}.AllFiles"
  !insertmacro ${DO} ${ROOT} 64 "${CLASSES}\CLSID" "${ROOT}.Classes64"
  !insertmacro ${DO} ${ROOT} 32 "${CLASSES}\CLSID" "${ROOT}.Classes32"
  !insertmacro ${DO} ${ROOT} 32 "${CLASSES}" "${ROOT}.Classes"
!macroend

; Wine (8) looks up classes and handlers only in the machine's classes
; (HKLM\Software\Classes), never in the user's, and lets every user write
; there; so under Wine the same keys go there as well. Sets $0 to 1 under Wine.
!macro DefineUnderWineCheck PREFIX
Function ${PREFIX}UnderWine
  System::Call "kernel32::GetModuleHandleW(w 'ntdll.dll') p .r0"
  System::Call "kernel32::GetProcAddress(p r0, m 'wine_get_version') p .r0"
  ${If} $0 P<> 0
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DefineUnderWineCheck ""
!insertmacro DefineUnderWineCheck "un."

; Under Wine the shortcut is also put into the Linux desktop's menus by
; Wine's menu builder: a .desktop file, which Wine takes away itself once the
; shortcut is gone, and a menu file in the desktop's menu folder, which stays.
; The menu folder is $XDG_CONFIG_HOME/menus/applications-merged, or
; ~/.config/menus/applications-merged without it, as the menu builder has it.
!define WINE_MENU_FILE "menus/applications-merged/wine-Programs-Nomaro.menu"
Function un.RemoveWineMenuFile
  Push $1
  Push $2
  Push $3
  ReadEnvStr $1 XDG_CONFIG_HOME
  StrCpy $2 $1 1
  ${If} $2 == "/"
    ; A Unix path: its Windows name goes through Wine's own conversion.
    System::Call "kernel32::wine_get_dos_file_name(m '$1/${WINE_MENU_FILE}') p .r2"
    ${If} $2 P<> 0
      System::Call "*$2(&w${NSIS_MAX_STRLEN} .r3)"
      System::Call "kernel32::GetProcessHeap() p .r1"
      System::Call "kernel32::HeapFree(p r1, i 0, p r2)"
      Delete "$3"
    ${EndIf}
  ${Else}
    ; The home folder as Wine names it, "\??\Z:\root".
    ReadEnvStr $1 WINEHOMEDIR
    StrCpy $2 $1 4
    ${If} $2 == "\??\"
      StrCpy $1 $1 "" 4
    ${EndIf}
    ${If} $1 != ""
      ${un.WordReplace} "$1\.config\${WINE_MENU_FILE}" "/" "\" "+" $3
      Delete "$3"
    ${EndIf}
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

; A running Nomaro holds the mutex named after its own lower-case path with
; forward slashes; files it has open cannot be replaced or removed, so
; neither setup nor removal goes on while it runs. Sets $0 to 1 when it runs.
!macro DefineProgramRunsCheck PREFIX
Function ${PREFIX}ProgramRuns
  Push $1
  Push $2
  ${${PREFIX}WordReplace} "$INSTDIR\Nomaro.exe" "\" "/" "+" $1
  System::Call "*(&w${NSIS_MAX_STRLEN} r1) p .r2"
  System::Call "user32::CharLowerW(p r2)"
  System::Call "*$2(&w${NSIS_MAX_STRLEN} .r1)"
  System::Free $2
  System::Call "kernel32::OpenMutexW(i 0x00100000, i 0, w 'Nomaro.Instance.$1') p .r2"
  StrCpy $0 0
  ${If} $2 P<> 0
    System::Call "kernel32::CloseHandle(p r2)"
    StrCpy $0 1
  ${EndIf}
  Pop $2
  Pop $1
FunctionEnd
!macroend
!insertmacro DefineProgramRunsCheck ""
!insertmacro DefineProgramRunsCheck "un."

Section "Nomaro"
  ; Over a running copy: ask to close it; a silent setup fails instead.
  ${Do}
    Call ProgramRuns
    ${IfThen} $0 == 0 ${|} ${ExitDo} ${|}
    IfSilent 0 +3
      SetErrorLevel 2
      Quit
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunsInstall)" IDRETRY +3
      SetErrorLevel 2
      Quit
  ${Loop}

  ; Before anything is written, so that the uninstall entry's own parent is
  ; noted first.
  !insertmacro NoteNewKey HKCU 32 "${UNINSTALL_PARENT}" "HKCU.Uninstall"
  !insertmacro ForEachParentKey NoteNewKey HKCU
  Call UnderWine
  ${If} $0 == 1
    !insertmacro ForEachParentKey NoteNewKey HKLM
  ${EndIf}

  SetOutPath "$INSTDIR"
  !insertmacro ForEachProgramFile InstallFile
  ${If} ${RunningX64}
    File "${DIST}/nomaro3x64.dll"
  ${EndIf}
  ; An upgrade keeps the user's settings; a first install notes the file's
  ; time, so that removing it later can tell whether the user changed it.
  ${IfNot} ${FileExists} "$INSTDIR\filename.ini"
    File "${DIST}/filename.ini"
    GetFileTime "$INSTDIR\filename.ini" $0 $1
    WriteRegStr HKCU "${UNINSTALL_KEY}" "SettingsFileTime" "$0 $1"
  ${EndIf}
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  !insertmacro RegisterServers HKCU
  Call UnderWine
  ${If} $0 == 1
    !insertmacro RegisterServers HKLM
  ${EndIf}

  CreateShortcut "${SHORTCUT}" "$INSTDIR\Nomaro.exe" "" "$INSTDIR\Nomaro.exe" 0 SW_SHOWNORMAL "" "$(ShortcutComment)"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Nomaro ${NOMARO_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${NOMARO_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Nomaro.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  ; Refused while the program runs, before anything is removed.
  Call un.ProgramRuns
  ${If} $0 == 1
    MessageBox MB_OK|MB_ICONSTOP "$(ProgramRunsUninstall)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; Settings the user changed stay only when the user says so; a silent
  ; removal takes them too.
  ${If} ${FileExists} "$INSTDIR\filename.ini"
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "SettingsFileTime"
    GetFileTime "$INSTDIR\filename.ini" $1 $2
    StrCpy $3 IDNO
    ${If} "$1 $2" != $0
      MessageBox MB_YESNO|MB_ICONQUESTION "$(KeepSettings)" /SD IDNO IDNO +2
        StrCpy $3 IDYES
    ${EndIf}
    ${If} $3 == IDNO
      Delete "$INSTDIR\filename.ini"
    ${EndIf}
  ${EndIf}

  ; The keys and the shortcut go even when the user removed the files already.
  !insertmacro UnregisterServers HKCU
  !insertmacro ForEachParentKey RemoveNewKey HKCU
  Call un.UnderWine
  ${If} $0 == 1
    !insertmacro UnregisterServers HKLM
    !insertmacro ForEachParentKey RemoveNewKey HKLM
    Call un.RemoveWineMenuFile
  ${EndIf}
  Delete "${SHORTCUT}"
  ReadRegDWORD $4 HKCU "${UNINSTALL_KEY}" "NewKey.HKCU.Uninstall"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} $4 == 1
    DeleteRegKey /ifempty HKCU "${UNINSTALL_PARENT}"
  ${EndIf}

  !insertmacro ForEachProgramFile RemoveFile
  Delete /REBOOTOK "$INSTDIR\nomaro3x64.dll"
  Delete /REBOOTOK "$INSTDIR\Uninstall.exe"
  ; The folder goes only when empty (kept settings or files of the user's
  ; stay), at the restart when files in use go then.
  ${If} ${RebootFlag}
    RMDir /REBOOTOK "$INSTDIR"
    MessageBox MB_OK|MB_ICONINFORMATION "$(FilesInUse)" /SD IDOK
  ${Else}
    RMDir "$INSTDIR"
  ${EndIf}
SectionEnd
