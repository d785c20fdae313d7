; The Velmar installer: per user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Velmar\. Made by make_package.cmake, which defines
; VERSION, PUBLISHER, OUTFILE, INSTALL_FILES, UNINSTALL_FILES (the lists of
; the files it installs and removes), ESTIMATED_SIZE (KB), ICON and, for a
; studio that signs, SIGN (a command with %1 for the file).

; A 64-bit installer for a 64-bit program: it runs wherever Velmar runs, and
; under a 64-bit Wine without its 32-bit half.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmar"
; The program holds this mutex while it runs (platform/running_mark_windows.cpp).
!define RUNNING_MUTEX "Velmar.Running"

Name "Velmar"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Velmar"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Velmar ${VERSION}"

; A signature that fails stops the build: no unsigned file goes out as if
; it were signed.
!ifdef SIGN
  !uninstfinalize `${SIGN}` = 0
  !finalize `${SIGN}` = 0
!endif

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "Velmar"
VIAddVersionKey /LANG=1049 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка Velmar"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmar.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Запустить Velmar"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; Files of a running program cannot all be replaced; the user is asked to
; close it. Without pages (/S) there is nobody to ask: the run fails with
; status 2 and nothing is changed.
!macro CloseVelmarFirst un
  Function ${un}CloseVelmarFirst
    ${Do}
      System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
      ${If} $0 P= 0
        Return
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r0)'
      ${If} ${Silent}
        SetErrorLevel 2
        Quit
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Velmar запущен. Закройте окно Velmar и нажмите «Повтор»." IDRETRY retry
      Quit
      retry:
    ${Loop}
  FunctionEnd
!macroend
!insertmacro CloseVelmarFirst ""
!insertmacro CloseVelmarFirst "un."

Function .onInit
  Call CloseVelmarFirst
FunctionEnd

Function un.onInit
  Call un.CloseVelmarFirst
FunctionEnd

Section "Velmar" SectionProgram
  SectionIn RO
  ; An earlier install is removed by its own uninstaller first, so that no
  ; file of the old version stays beside the new one.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}

!include "${INSTALL_FILES}"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Velmar.lnk" "$INSTDIR\velmar.exe" "" "$INSTDIR\velmar.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Velmar"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmar.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_SIZE}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Ярлык на рабочем столе" SectionDesktop
  CreateShortcut "$DESKTOP\Velmar.lnk" "$INSTDIR\velmar.exe" "" "$INSTDIR\velmar.exe" 0
SectionEnd

LangString DESC_Program ${LANG_RUSSIAN} "Velmar, его каталог игр и velmar-check."
LangString DESC_Desktop ${LANG_RUSSIAN} "Ярлык Velmar на рабочем столе."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} $(DESC_Program)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} $(DESC_Desktop)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Removes exactly what was installed. The favourites in
; %APPDATA%\Velmar\ are the user's and stay.
Section "Uninstall"
!include "${UNINSTALL_FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Velmar.lnk"
  Delete "$DESKTOP\Velmar.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
