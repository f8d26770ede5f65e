; The Windows installer of Tolva R. Quenlar. It puts tolva.exe and its help, tolva.hlp (WinHelp)
; and tolva.chm (HTML Help), in a folder under Program Files (or one the user chooses), the Start
; menu's shortcuts to the program, its help and the uninstaller, optionally a shortcut in the
; user's Startup folder, an entry in the list of installed programs, and tolva.hlp's entry in the
; help search path. scripts/package makes it:
;   makensis -DVERSION=2.1.0.1 -DPROGRAM=.../tolva.exe -DHELP=.../tolva.hlp -DHTMLHELP=.../tolva.chm
;            -DOUTFILE=... tolva.nsi
; Command line: /S installs silently with the defaults (an upgrade keeps the earlier choice of
; starting with Windows), /STARTWITHWINDOWS ticks that choice, /D=folder picks the folder.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Tolva R. Quenlar (TM)"
!define SHORT_NAME "Tolva R. Quenlar"
!define COMPANY "Marrowby Corporation"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${SHORT_NAME}"
; WinHelp looks a bare help file name up here, so help opens whatever the program's current folder.
!define HELP_KEY "Software\Microsoft\Windows\Help"
; The program holds this mutex while it runs.
!define TOLVA_MUTEX "SINGLE_TOLVA.MUTEX"
!define SYNCHRONIZE 0x00100000
; The Start menu's folder and the shortcuts in it, for all users as the program is.
!define MENU_FOLDER "$SMPROGRAMS\${SHORT_NAME}"
!define PROGRAM_LINK "${SHORT_NAME}.lnk"
!define HELP_LINK "${SHORT_NAME} Help.lnk"
!define UNINSTALL_LINK "Uninstall ${SHORT_NAME}.lnk"

Name "${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${SHORT_NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${COMPANY}"
VIAddVersionKey FileDescription "${PRODUCT} Setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey LegalCopyright "Copyright ${U+00A9} 2003 ${COMPANY}. All rights reserved."

!define MUI_ICON "../resources/mainicon.ico"
!define MUI_UNICON "../resources/mainicon.ico"
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; While Tolva runs its file is in use, and windows it has concealed would stay hidden without
; it: asks the user to exit it first. A silent run gives up at once (exit code 2).
!macro RefuseWhileTolvaRuns DOING
  check_running:
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${TOLVA_MUTEX}") p .r0'
    StrCmp $0 0 not_running
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running, so it cannot be ${DOING} now.$\r$\n$\r$\nExit Tolva first (its Exit button, or Exit in the menu of its notification-area icon), then choose Retry." /SD IDCANCEL IDRETRY check_running
    Abort
  not_running:
!macroend

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=tolva.exe" "${PROGRAM}"
  File "/oname=tolva.hlp" "${HELP}"
  File "/oname=tolva.chm" "${HTMLHELP}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Shortcuts start in $OUTDIR, the install folder, where help's bare file name is found.
  SetShellVarContext all
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PROGRAM_LINK}" "$INSTDIR\tolva.exe"
  ; The help as HTML Help, which every Windows since 98 opens (WinHelp is gone from Vista on).
  CreateShortcut "${MENU_FOLDER}\${HELP_LINK}" "$INSTDIR\tolva.chm"
  CreateShortcut "${MENU_FOLDER}\${UNINSTALL_LINK}" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${HELP_KEY}" "tolva.hlp" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tolva.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Pairs with "Launch Tolva Directly To System Tray": Tolva then waits in the notification area
; from the moment the user logs on. The shortcut's place is kept for the uninstaller, which may
; run as another user.
Section /o "Start Tolva when Windows starts" SecStartup
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMSTARTUP\${PROGRAM_LINK}" "$INSTDIR\tolva.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "StartupShortcut" "$SMSTARTUP\${PROGRAM_LINK}"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program and its help."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "Starts Tolva when you log on; with $\"Launch Tolva Directly To System Tray$\" it waits in the tray."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "-Finish"
  ; An upgrade without the Startup choice takes back the shortcut an earlier install made.
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "StartupShortcut"
    ${If} $0 != ""
      Delete "$0"
      DeleteRegValue HKLM "${UNINSTALL_KEY}" "StartupShortcut"
    ${EndIf}
  ${EndIf}
  ; Last, so that the list of programs shows the size of everything in the folder.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function .onInit
  !insertmacro RefuseWhileTolvaRuns "installed"
  ; An upgrade offers the Startup shortcut again when the earlier install made it and it is
  ; still there.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "StartupShortcut"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0"
    !insertmacro SelectSection ${SecStartup}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTWITHWINDOWS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecStartup}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro RefuseWhileTolvaRuns "removed"
FunctionEnd

; Takes back everything the installer made. tolva.ini, in the Windows directory, holds the
; user's settings and stays.
Section "Uninstall"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "StartupShortcut"
  ${If} $0 != ""
    Delete "$0"
  ${EndIf}
  SetShellVarContext all
  Delete "${MENU_FOLDER}\${PROGRAM_LINK}"
  Delete "${MENU_FOLDER}\${HELP_LINK}"
  Delete "${MENU_FOLDER}\${UNINSTALL_LINK}"
  RMDir "${MENU_FOLDER}"

  Delete "$INSTDIR\tolva.exe"
  Delete "$INSTDIR\tolva.hlp"
  Delete "$INSTDIR\tolva.chm"
  ; What WinHelp makes beside a help file it opens: its index and full-text search files.
  Delete "$INSTDIR\tolva.gid"
  Delete "$INSTDIR\tolva.fts"
  Delete "$INSTDIR\tolva.ftg"
  ; And what HTML Help may make beside its file: the index it gathers.
  Delete "$INSTDIR\tolva.chw"
  ; This runs in a copy of the uninstaller, which the uninstaller started and may still be
  ; ending: its file can stay in use for a moment.
  StrCpy $1 0
  ${Do}
    ClearErrors
    Delete "$INSTDIR\uninstall.exe"
    ${IfNotThen} ${Errors} ${|} ${Break} ${|}
    Sleep 100
    IntOp $1 $1 + 1
  ${LoopUntil} $1 >= 50
  ; Not /r: a folder the user chose may hold files of their own.
  RMDir "$INSTDIR"

  DeleteRegValue HKLM "${HELP_KEY}" "tolva.hlp"
  ; The key itself only when this installer's entry was all it held (a fresh system).
  DeleteRegKey /ifempty HKLM "${HELP_KEY}"
  ; Last: the entry's going tells that the uninstall is through.
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
