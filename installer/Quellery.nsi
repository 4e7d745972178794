; Quellery's Windows installer and uninstaller, built on Linux with makensis:
;   makensis -DTARGET=x86-ansi -DVERSION=2.10 -DVERSION_MAJOR=2 -DVERSION_MINOR=10
;            -DICON=Quellery.ico -DPROGRAM=Quellery.exe -DCOMPANION=iea.exe
;            -DOUTFILE=setup.exe Quellery.nsi
; CMake passes the numbers of project(VERSION), which the program's own version
; resource is made from too.
; Silent use:  setup.exe /S [/D=folder]   Uninstall.exe /S [/REMOVESETTINGS]
; The uninstaller asks before it removes the user's settings; silent, it keeps
; them unless /REMOVESETTINGS is given.

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

; x86-ansi: a Unicode installer does not run on Windows 95, 98 and ME.
Target ${TARGET}

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellery"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Quellery - ${VERSION}"
!define SETTINGS_KEY "Software\Quellery"
; The window class of the program's main window (src/view/MainView.cpp).
!define MAIN_WINDOW_CLASS "QuelleryMain"
!define PUBLISHER "Quellery"

Name "Quellery ${VERSION}"
OutFile "${OUTFILE}"
!if "${TARGET}" == "amd64-unicode"
  InstallDir "$PROGRAMFILES64\Quellery"
!else
  InstallDir "$PROGRAMFILES\Quellery"
!endif
; Installing over an installed copy offers its folder.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "Quellery ${VERSION}"

; Explorer's Properties show these for setup.exe and Uninstall.exe alike.
VIProductVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIFileVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIAddVersionKey ProductName "Quellery"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "Quellery ${VERSION} Setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"

Var StartMenuFolder

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
; The details stay in view until the user moves on.
!define MUI_FINISHPAGE_NOAUTOCLOSE
!define MUI_UNFINISHPAGE_NOAUTOCLOSE

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_STARTMENUPAGE_DEFAULTFOLDER "Quellery"
!define MUI_STARTMENUPAGE_REGISTRY_ROOT HKLM
!define MUI_STARTMENUPAGE_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_STARTMENUPAGE_REGISTRY_VALUENAME "StartMenuFolder"
!insertmacro MUI_PAGE_STARTMENU Application $StartMenuFolder
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quellery.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Quellery"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; Asks a running Quellery to close through its main window, as its close box
; would, so that it saves the user's choices before its files are replaced or
; removed. When it will not close, the user is told and may retry or stop;
; silent, the setup stops. PREFIX is "" for the installer, "un." for the uninstaller.
!macro CLOSE_RUNNING_PROGRAM PREFIX
Function ${PREFIX}CloseRunningProgram
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 = 0
      Return
    ${EndIf}
    DetailPrint "Closing the running Quellery..."
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    System::Call 'kernel32::OpenProcess(i 0x100000, i 0, i r1) p .r2'
    ; Posted: a cleaning run in progress stops and the program then ends by itself.
    System::Call 'user32::PostMessage(p r0, i ${WM_CLOSE}, p 0, p 0)'
    ; Its files stay in use until the process has ended, not just its window.
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i 15000)'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${Else}
      StrCpy $3 0
      ${DoWhile} $3 < 60
        Sleep 250
        System::Call 'user32::IsWindow(p r0) i .r4'
        ${IfThen} $4 = 0 ${|} ${Break} ${|}
        IntOp $3 $3 + 1
      ${Loop}
    ${EndIf}
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 = 0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quellery is running and did not close.$\r$\n$\r$\nClose Quellery, then click Retry; Cancel stops here without changing anything." /SD IDCANCEL IDRETRY retry
    DetailPrint "Quellery is still running: nothing was changed."
    Abort
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_PROGRAM ""
!insertmacro CLOSE_RUNNING_PROGRAM "un."

; Removes the Start menu shortcuts from the folder FOLDER names.
!macro REMOVE_START_MENU_SHORTCUTS FOLDER
  Delete "$SMPROGRAMS\${FOLDER}\Quellery.lnk"
  Delete "$SMPROGRAMS\${FOLDER}\Uninstall Quellery.lnk"
  RMDir "$SMPROGRAMS\${FOLDER}"
!macroend

Section "Quellery" SecProgram
  SectionIn RO
  ; The Start menu of every user: the program's Run entry is machine-wide too.
  SetShellVarContext all
  Call CloseRunningProgram
  SetOutPath "$INSTDIR"
  File "/oname=Quellery.exe" "${PROGRAM}"
  File "/oname=iea.exe" "${COMPANION}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; An earlier install's shortcuts go first: its folder may have another name.
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "StartMenuFolder"
  ${If} $R0 == ""
    StrCpy $R0 "Quellery"
  ${EndIf}
  !insertmacro REMOVE_START_MENU_SHORTCUTS $R0
  !insertmacro MUI_STARTMENU_WRITE_BEGIN Application
    CreateDirectory "$SMPROGRAMS\$StartMenuFolder"
    CreateShortcut "$SMPROGRAMS\$StartMenuFolder\Quellery.lnk" "$INSTDIR\Quellery.exe"
    CreateShortcut "$SMPROGRAMS\$StartMenuFolder\Uninstall Quellery.lnk" "$INSTDIR\Uninstall.exe"
  !insertmacro MUI_STARTMENU_WRITE_END
  ; Also "no shortcuts" (">" first), so that the next install offers it again.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "StartMenuFolder" "$StartMenuFolder"

  ; Add/Remove Programs
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quellery ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quellery.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $R1 $R2 $R3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $R1
SectionEnd

Section /o "Desktop shortcut" SecDesktop
  SetShellVarContext all
  CreateShortcut "$DESKTOP\Quellery.lnk" "$INSTDIR\Quellery.exe"
SectionEnd

Section "-Unticked desktop shortcut"
  SetShellVarContext all
  ; A shortcut an earlier install made goes when the user unticked it this time.
  ${IfNot} ${SectionIsSelected} ${SecDesktop}
    Delete "$DESKTOP\Quellery.lnk"
  ${EndIf}
SectionEnd

Function .onInit
  SetShellVarContext all
  ; An earlier install's choices are offered again: its Start menu folder, and
  ; its desktop shortcut if it made one.
  !insertmacro MUI_STARTMENU_GETFOLDER Application $StartMenuFolder
  ${If} ${FileExists} "$DESKTOP\Quellery.lnk"
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Quellery.exe and its helper iea.exe, with shortcuts in the Start menu."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "A shortcut to Quellery on the desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  SetShellVarContext all
  Call un.CloseRunningProgram
  ; Only what the installer put there: a folder the user chose may hold more.
  Delete "$INSTDIR\Quellery.exe"
  Delete "$INSTDIR\iea.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  !insertmacro MUI_STARTMENU_GETFOLDER Application $StartMenuFolder
  !insertmacro REMOVE_START_MENU_SHORTCUTS $StartMenuFolder
  Delete "$DESKTOP\Quellery.lnk"

  ; The program adds this value when it is set to start with Windows.
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION "Remove your Quellery settings as well?" /SD IDNO IDNO keepSettings
  ${EndIf}
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  keepSettings:
SectionEnd
