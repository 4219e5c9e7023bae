; The Windows installer: puts putevod.exe and the files beside it in the
; user's own programs folder (no administrator rights), adds the Start-menu
; entry "Путеводка" with the program's icon and an uninstaller, listed under
; the user's installed programs. tools/windows.sh makes it:
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.1.0 -DSTAGE=<installed files>
;            -DOUTFILE=<installer> putevod.nsi
;
; /S installs (and uninstalls) without asking anything.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define PRODUCT "Путеводка"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Putevodka"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Putevodka"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка программы ${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "© 2026 The Putevodka developers"

!include "MUI2.nsh"
!define MUI_ICON "${STAGE}/putevod.ico"
!define MUI_UNICON "${STAGE}/putevod.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\putevod.exe"

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
    SetShellVarContext current
FunctionEnd

Function un.onInit
    SetShellVarContext current
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File "${STAGE}/putevod.exe"
    File "${STAGE}/putevod.ico"
    File "${STAGE}/LICENSE.txt"
    File "${STAGE}/REBUILD.txt"
    SetOutPath "$INSTDIR\licences"
    File /r "${STAGE}/licences/*"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\putevod.exe" "" "$INSTDIR\putevod.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\putevod.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Putevodka developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    ; Only what the installer put there: the folder may hold the pupil's files.
    Delete "$INSTDIR\putevod.exe"
    Delete "$INSTDIR\putevod.ico"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\REBUILD.txt"
    RMDir /r "$INSTDIR\licences"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
