; Quorvane setup: the screen saver into the Windows system folder, skins and the default game
; file into the program folder, the install path for the saver, and an uninstaller that takes
; back exactly what was put there.
;
; Built by installer/CMakeLists.txt, which passes:
;   QUORVANE_SCR        the built Quorvane.scr
;   QUORVANE_PGN        the default game file (installed as varnoth.pgn)
;   QUORVANE_SKINS_NSH  generated include with the macros QuorvaneInstallSkins/QuorvaneRemoveSkins
;   QUORVANE_OUTFILE    where Quorvane-Setup.exe goes
;   QUORVANE_ICON       (optional) the program icon
;
; Command line (besides the usual /S and /D=<folder>):
;   setup:      /SETSAVER        with /S: also make Quorvane the current screen saver
;   uninstall:  /REMOVESETTINGS  with /S: also remove the user's Quorvane settings

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define PRODUCT "Quorvane"
!define PUBLISHER "Brenholt"
!define VERSION "1.03"
!define SETTINGS_KEY "Software\${PUBLISHER}\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SCR_NAME "${PRODUCT}.scr"
!define UNINSTALLER "Uninstall.exe"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"
!include "${QUORVANE_SKINS_NSH}"

Name "${PRODUCT}"
OutFile "${QUORVANE_OUTFILE}"
InstallDir "$PROGRAMFILES64\${PUBLISHER}\${PRODUCT}"
; A reinstallation offers the folder of the last one.
InstallDirRegKey HKLM "${SETTINGS_KEY}" "Install path"
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"

VIProductVersion "1.3.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!ifdef QUORVANE_ICON
    !define MUI_ICON "${QUORVANE_ICON}"
    !define MUI_UNICON "${QUORVANE_ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------------------------------------
; Both halves

; Leaves the text on the stack without one trailing backslash (a drive root keeps its own).
!macro TrimTrailingBackslashFunction PREFIX
Function ${PREFIX}TrimTrailingBackslash
    Exch $0
    Push $1
    StrCpy $1 "$0" 1 -1
    ${If} $1 == "\"
    ${AndIf} "$0" != "\"
        StrCpy $1 "$0" 1 -2
        ${If} $1 != ":"
            StrCpy $0 "$0" -1
        ${EndIf}
    ${EndIf}
    Pop $1
    Exch $0
FunctionEnd
!macroend
!insertmacro TrimTrailingBackslashFunction ""
!insertmacro TrimTrailingBackslashFunction "un."

; The files setup put into FOLDER, and the folders when that leaves them empty: the user's own
; files (other games, other skins) stay with theirs.
!macro QuorvaneRemoveFolderFiles FOLDER
    !insertmacro QuorvaneRemoveSkins "${FOLDER}"
    Delete "${FOLDER}\varnoth.pgn"
    Delete "${FOLDER}\${UNINSTALLER}"
    RMDir "${FOLDER}\Skin"
    RMDir "${FOLDER}"
    ; The maker's folder only when it is the default one: a parent the user chose is not ours.
    ${If} "${FOLDER}" == "$PROGRAMFILES64\${PUBLISHER}\${PRODUCT}"
        RMDir "$PROGRAMFILES64\${PUBLISHER}"
    ${EndIf}
!macroend

; ---------------------------------------------------------------------------------------------
; Installation

Section "-${PRODUCT}" SecProgram
    SectionIn RO

    ; Moving to another folder: the old folder's files and uninstaller go, so that no stale
    ; uninstaller is left behind to remove this installation.
    Push "$INSTDIR"
    Call TrimTrailingBackslash
    Pop $3
    ReadRegStr $2 HKLM "${SETTINGS_KEY}" "Install path"
    ${If} $2 != ""
    ${AndIf} $2 != $3
        !insertmacro QuorvaneRemoveFolderFiles "$2"
    ${EndIf}

    ; The saver belongs in the real system folder, where the desktop settings look for savers.
    ${DisableX64FSRedirection}
    SetOutPath "$SYSDIR"
    File "/oname=${SCR_NAME}" "${QUORVANE_SCR}"
    ${EnableX64FSRedirection}

    SetOutPath "$INSTDIR\Skin"
    !insertmacro QuorvaneInstallSkins
    SetOutPath "$INSTDIR"
    File "/oname=varnoth.pgn" "${QUORVANE_PGN}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The saver builds every path from this value and expects no trailing backslash.
    Push "$INSTDIR"
    Call TrimTrailingBackslash
    Pop $0
    WriteRegStr HKLM "${SETTINGS_KEY}" "Install path" "$0"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\${SCR_NAME},0"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize ${SecProgram} $1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Section "Make ${PRODUCT} the current screen saver" SecSetSaver
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\${SCR_NAME}"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

Function .onInit
    SetRegView 64
    ; A silent setup leaves the user's screen saver alone unless asked with /SETSAVER.
    ${If} ${Silent}
        ${GetParameters} $0
        ClearErrors
        ${GetOptions} "$0" "/SETSAVER" $1
        ${If} ${Errors}
            !insertmacro UnselectSection ${SecSetSaver}
        ${EndIf}
    ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Uninstallation

; 1 when this uninstaller's folder is the recorded installation (or none is recorded); an old
; folder's uninstaller must leave the live installation elsewhere alone.
Var OwnsInstallation

Section "-un.${PRODUCT}" SecUnProgram
    SectionIn RO

    ${If} $OwnsInstallation == 1
        ; Before the file goes: its short path form is only known while it exists.
        Call un.ForgetScreenSaver
        ${DisableX64FSRedirection}
        ; A saver running right now keeps its file: it goes at the next restart instead.
        Delete /REBOOTOK "$SYSDIR\${SCR_NAME}"
        ${EnableX64FSRedirection}
    ${EndIf}

    !insertmacro QuorvaneRemoveFolderFiles "$INSTDIR"

    ${If} $OwnsInstallation == 1
        DeleteRegKey HKLM "${SETTINGS_KEY}"
        DeleteRegKey /ifempty HKLM "Software\${PUBLISHER}"
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${EndIf}
SectionEnd

; Short enough for the option list: a longer text ends behind a scroll bar.
Section /o "un.Remove my settings" SecUnSettings
    ; The settings belong to the live installation, not to an old folder's leftovers.
    ${If} $OwnsInstallation == 1
        DeleteRegKey HKCU "${SETTINGS_KEY}"
        DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
    ${EndIf}
SectionEnd

; Clears the current screen saver only while it is still ours; another choice is the user's.
Function un.ForgetScreenSaver
    ClearErrors
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} ${Errors}
        Return
    ${EndIf}
    ; Older Windows versions store the short 8.3 form of the path.
    GetFullPathName /SHORT $1 "$SYSDIR\${SCR_NAME}"
    ${If} $0 == "$SYSDIR\${SCR_NAME}"
    ${OrIf} $0 == "$1"
    ${OrIf} $0 == "${SCR_NAME}"
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
    Push "$INSTDIR"
    Call un.TrimTrailingBackslash
    Pop $0
    ReadRegStr $1 HKLM "${SETTINGS_KEY}" "Install path"
    StrCpy $OwnsInstallation 0
    ; The comparison ignores case, as the platform's file names do.
    ${If} $1 == ""
    ${OrIf} $1 == $0
        StrCpy $OwnsInstallation 1
    ${EndIf}
    ${If} ${Silent}
        ${un.GetParameters} $0
        ClearErrors
        ${un.GetOptions} "$0" "/REMOVESETTINGS" $1
        ${IfNot} ${Errors}
            !insertmacro SelectSection ${SecUnSettings}
        ${EndIf}
    ${EndIf}
FunctionEnd
