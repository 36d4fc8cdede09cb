; The Windows setup program of Tarrowin: installs tarrowin.exe for every user
; of the machine into Program Files, adds a Start menu shortcut and an entry in
; the system's list of installed programs, and writes an uninstaller that takes
; all of that away again but leaves each user's settings.
;
; Built by packaging/windows/CMakeLists.txt (scripts/package windows), which
; passes on the command line:
;   PROGRAM      the tarrowin.exe to install
;   ICON         the program's icon file, also the setup's own
;   VERSION      the version users see ("1.02"), from the program's version record
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
; What the setup and the uninstaller end with when they refuse to go on.
!define EXIT_REFUSED 2

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
FunctionEnd

Section "${PRODUCT}"
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
    WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
    ; In KiB, as the list of installed programs reads it.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

Function un.onInit
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
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir /REBOOTOK "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DetailPrint "Your settings stay under ${SETTINGS_KEY}."
SectionEnd
