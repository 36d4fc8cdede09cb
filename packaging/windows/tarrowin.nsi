; The Windows setup program of Tarrowin: installs tarrowin.exe for every user
; of the machine into Program Files, adds a Start menu shortcut and an entry in
; the system's list of installed programs, and writes an uninstaller that takes
; all of that away again but leaves each user's settings.
;
; Built by packaging/windows/CMakeLists.txt (scripts/package windows), which
; passes on the command line:
;   PROGRAM      the tarrowin.exe to install
;   ICON         the program's icon file, also the setup's own
;   VERSION      the version users see ("1.02"), the project's version
;   WEB_ADDRESS  the maker's web page, also from the version record
;   OUTFILE      where the setup program goes

!ifndef PROGRAM | ICON | VERSION | WEB_ADDRESS | OUTFILE
    !error "makensis needs -DPROGRAM= -DICON= -DVERSION= -DWEB_ADDRESS= -DOUTFILE="
!endif

Unicode true
; The program is a 64-bit one, and so is the setup: a 32-bit setup would land
; in the 32-bit views of Program Files and the registry.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; Sharp text on screens above 96 dpi, as the program itself.
ManifestDPIAware true

!define PRODUCT Tarrowin
!define PUBLISHER Quillmoor
!define PROGRAM_FILE tarrowin.exe
!define UNINSTALLER uninstall.exe
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "HKEY_CURRENT_USER\Software\${PUBLISHER}\${PRODUCT}"
; Both of the program's windows are of this class, whatever their titles say.
!define PROGRAM_WINDOW_CLASS TarrowinForm
; What the setup and the uninstaller end with when they refuse to go on
; (Tarrowin is running, no administrator, an earlier install that would not go),
; and what the setup ends with when a newer Tarrowin is installed.
!define EXIT_REFUSED 2
!define EXIT_NEWER_INSTALLED 3
; The uninstaller's copy that removes the file of an uninstaller run in place:
; how often, and how far apart, it tries before it leaves that to the restart.
!define CLEANUP_SWITCH /CLEANUP
!define CLEANUP_TRIES 300
!define CLEANUP_PAUSE_MS 100

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; A second setup goes where the first one installed.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" InstallLocation
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

; The setup's own version record says what the program's says.
!getdllversion "${PROGRAM}" PROGRAM_VERSION_
VIProductVersion "${PROGRAM_VERSION_1}.${PROGRAM_VERSION_2}.${PROGRAM_VERSION_3}.${PROGRAM_VERSION_4}"
VIFileVersion "${PROGRAM_VERSION_1}.${PROGRAM_VERSION_2}.${PROGRAM_VERSION_3}.${PROGRAM_VERSION_4}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh

; No wizard or header pictures: the pages carry only text, and the program's
; own icon stands for setup and uninstaller alike.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "${PRODUCT} is installed"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "Start it from the Start menu: ${PRODUCT}."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES

!define MUI_UNCONFIRMPAGE_TEXT_TOP "${PRODUCT} will be removed from this computer. Your own settings stay in the registry."
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "${PRODUCT} is removed"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "Your settings stay, under HKCU\Software\${PUBLISHER}\${PRODUCT}."
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE English

VIAddVersionKey /LANG=${LANG_ENGLISH} ProductName "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} CompanyName "${WEB_ADDRESS}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileDescription "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} InternalName "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} LegalCopyright "Freeware from ${PUBLISHER}"

; A running Tarrowin holds its program file open, and saves its settings only
; when it ends the normal way; so neither the setup nor the uninstaller touches
; it. The user ends it, with its button or its close box, and tries again.
!macro REFUSE_WHILE_RUNNING WHAT
    FindWindow $0 "${PROGRAM_WINDOW_CLASS}"
    ${If} $0 <> 0
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is running.$\r$\n$\r$\nEnd it with its button or its close box, so that it keeps your settings, then start the ${WHAT} again." /SD IDOK
        SetErrorLevel ${EXIT_REFUSED}
        Quit
    ${EndIf}
!macroend

Function .onInit
    ; The shortcut goes to every user's Start menu, the entry to the machine's list.
    SetShellVarContext all
    SetRegView 64
    ; Per machine only: Program Files and HKLM need an administrator.
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is installed for all users of this computer. Start the setup as an administrator." /SD IDOK
        SetErrorLevel ${EXIT_REFUSED}
        Quit
    ${EndIf}
    !insertmacro REFUSE_WHILE_RUNNING setup
    Call RefuseDowngrade
FunctionEnd

; An older setup over a newer Tarrowin would take away what the newer one
; brought; it goes on only when the user says so. A silent setup cannot ask,
; so it refuses.
Function RefuseDowngrade
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" DisplayVersion
    ${If} $0 == ""
        Return
    ${EndIf}
    ; Both spell the minor number with two digits ("1.02"), which this
    ; comparison reads as the fraction it looks like.
    ${VersionCompare} $0 "${VERSION}" $1
    ${If} $1 != 1
        Return
    ${EndIf}
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "${PRODUCT} $0 is installed, newer than the ${VERSION} of this setup.$\r$\n$\r$\nReplace it with the older version?" /SD IDNO IDYES downgrade
    SetErrorLevel ${EXIT_NEWER_INSTALLED}
    Quit
downgrade:
FunctionEnd

; A setup into another folder than the installed Tarrowin's takes that one
; away first, with its own uninstaller, so that no copy is left that nothing
; lists. The uninstaller runs in place (`_?=`) and the setup waits for it; an
; uninstaller of 1.02 then leaves itself behind, so its file and folder go here.
Function RemoveEarlierInstall
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" InstallLocation
    ${If} $0 == ""
        Return
    ${EndIf}
    GetFullPathName $1 "$0"
    GetFullPathName $2 "$INSTDIR"
    ${If} $1 == $2
    ${OrIfNot} ${FileExists} "$0\${UNINSTALLER}"
        Return
    ${EndIf}
    DetailPrint "Removing the earlier installation in $0"
    ClearErrors
    ExecWait '"$0\${UNINSTALLER}" /S _?=$0' $1
    ${If} ${Errors}
    ${OrIf} $1 != 0
        MessageBox MB_OK|MB_ICONSTOP "The earlier installation of ${PRODUCT} in $0 could not be removed (status $1).$\r$\n$\r$\nRemove it from the list of installed programs, then start the setup again." /SD IDOK
        SetErrorLevel ${EXIT_REFUSED}
        Quit
    ${EndIf}
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
FunctionEnd

Section "${PRODUCT}"
    Call RemoveEarlierInstall
    SetOutPath "$INSTDIR"
    File "/oname=${PROGRAM_FILE}" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM_FILE}" "" "$INSTDIR\${PROGRAM_FILE}" 0 \
        SW_SHOWNORMAL "" "A window that makes the computer look busy"

    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\${PROGRAM_FILE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" URLInfoAbout "${WEB_ADDRESS}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\${UNINSTALLER}"'
    ; In place (`_?=`, the folder as the last argument, without quotes): so
    ; the command returns only when the uninstall is over, with its status.
    WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
    ; In KiB, as the list of installed programs reads it.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

; The copy's whole run: it waits for the uninstaller's file to become free.
!macro CLEANUP_AFTER_IN_PLACE_RUN
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "${CLEANUP_SWITCH}" $1
    ${IfNot} ${Errors}
        ${For} $1 1 ${CLEANUP_TRIES}
            Delete "$INSTDIR\${UNINSTALLER}"
            ${IfNot} ${FileExists} "$INSTDIR\${UNINSTALLER}"
                ${Break}
            ${EndIf}
            Sleep ${CLEANUP_PAUSE_MS}
        ${Next}
        RMDir "$INSTDIR"
        ; MOVEFILE_DELAY_UNTIL_REBOOT, without raising the reboot flag.
        System::Call 'kernel32::MoveFileEx(t "$EXEPATH", n, i 4)'
        Quit
    ${EndIf}
!macroend

Function un.onInit
    !insertmacro CLEANUP_AFTER_IN_PLACE_RUN
    SetShellVarContext all
    SetRegView 64
    !insertmacro REFUSE_WHILE_RUNNING uninstaller
FunctionEnd

; Only what the setup put there goes: the folder may have been chosen by hand
; and hold other files, so it is removed only when it is left empty. The
; settings under HKEY_CURRENT_USER belong to each user and stay. A program
; file still in use (Tarrowin running in another user's session, which this
; one cannot see) goes, with its folder, when Windows next starts.
Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete /REBOOTOK "$INSTDIR\${PROGRAM_FILE}"
    Call un.RemoveUninstaller
    ; Not the working folder, which could not be removed.
    SetOutPath "$TEMP"
    RMDir /REBOOTOK "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DetailPrint "Your settings stay under ${SETTINGS_KEY}."
SectionEnd

; Started the usual way, the uninstaller runs from a copy in the temporary
; folder and can delete its file here. Run in place (`_?=`, so that its caller
; can wait for it), it is that file, which Windows keeps while it runs but lets
; move: it moves into the temporary folder, so that the folder here is gone
; when the caller's wait ends, and goes from there at the next restart, like
; the usual start's copy. Where it cannot move (the temporary folder on
; another drive, or Wine, which keeps a running program's file in its place),
; a copy of it there deletes it, and the folder, as soon as this run has ended.
Function un.RemoveUninstaller
    ; Short names: `_?=` may name the folder either way.
    GetFullPathName /SHORT $0 "$EXEPATH"
    GetFullPathName /SHORT $1 "$INSTDIR\${UNINSTALLER}"
    ${If} $0 != $1
        Delete "$INSTDIR\${UNINSTALLER}"
        Return
    ${EndIf}
    GetTempFileName $0
    Delete $0
    StrCpy $0 "$0.exe"
    ClearErrors
    Rename "$INSTDIR\${UNINSTALLER}" $0
    ${IfNot} ${Errors}
        ; MOVEFILE_DELAY_UNTIL_REBOOT, without raising the reboot flag.
        System::Call 'kernel32::MoveFileEx(t "$0", n, i 4)'
        Return
    ${EndIf}
    CopyFiles /SILENT "$EXEPATH" $0
    Exec '"$0" ${CLEANUP_SWITCH} _?=$INSTDIR'
FunctionEnd
