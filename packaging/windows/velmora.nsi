; Velmora's Windows installer: makensis -DSTAGE=DIR -DOUTFILE=FILE -DVERSION_FILE=FILE velmora.nsi
; (scripts/package-windows.sh). Installs velmora.exe and the examples under Program Files, a
; Start-menu shortcut, and an uninstaller that removes exactly these; the user's working folder,
; Documents\Velmora, is never touched. /S installs and uninstalls silently.
; The program is 64-bit only, and so is the installer (Wine runs it without its 32-bit half).
Target amd64-unicode
!include "${VERSION_FILE}"
!include "${STAGE}/examples.nsh"

Name "Velmora"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velmora"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
Icon "${VELMORA_ICON}"
UninstallIcon "${VELMORA_ICON}"

VIProductVersion "${VELMORA_VERSION4}"
VIAddVersionKey "ProductName" "Velmora"
VIAddVersionKey "ProductVersion" "${VELMORA_VERSION}"
VIAddVersionKey "FileVersion" "${VELMORA_VERSION}"
VIAddVersionKey "CompanyName" "${VELMORA_PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright 2026 ${VELMORA_PUBLISHER}"
VIAddVersionKey "FileDescription" "Velmora ${VELMORA_VERSION} installer"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    SetShellVarContext all
    SetRegView 64
    SetOutPath "$INSTDIR"
    File "${STAGE}/velmora.exe"
    SetOutPath "$INSTDIR\examples"
    !insertmacro InstallExamples
    ; The shortcut starts the program in its own folder, from where it moves to Documents\Velmora.
    SetOutPath "$INSTDIR"
    CreateShortCut "$SMPROGRAMS\Velmora.lnk" "$INSTDIR\velmora.exe" "" "$INSTDIR\velmora.exe" 0
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velmora"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VELMORA_VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${VELMORA_PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmora.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    SetRegView 64
    Delete "$SMPROGRAMS\Velmora.lnk"
    Delete "$INSTDIR\velmora.exe"
    !insertmacro RemoveExamples
    RMDir "$INSTDIR\examples"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
