; Quellery's Windows installer and uninstaller, built on Linux with makensis:
;   makensis -DTARGET=x86-ansi -DVERSION=2.10 -DPROGRAM=Quellery.exe
;            -DCOMPANION=iea.exe -DOUTFILE=setup.exe Quellery.nsi
; Silent use:  setup.exe /S [/D=folder]   Uninstall.exe /S [/REMOVESETTINGS]
; The uninstaller asks before it removes the user's settings; silent, it keeps
; them unless /REMOVESETTINGS is given.

!include LogicLib.nsh
!include FileFunc.nsh

; x86-ansi: a Unicode installer does not run on Windows 95, 98 and ME.
Target ${TARGET}

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellery"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Quellery - ${VERSION}"
!define SETTINGS_KEY "Software\Quellery"

Name "Quellery ${VERSION}"
OutFile "${OUTFILE}"
!if "${TARGET}" == "amd64-unicode"
  InstallDir "$PROGRAMFILES64\Quellery"
!else
  InstallDir "$PROGRAMFILES\Quellery"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quellery"
  ; The Start menu of every user: the program's Run entry is machine-wide too.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=Quellery.exe" "${PROGRAM}"
  File "/oname=iea.exe" "${COMPANION}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Quellery"
  CreateShortcut "$SMPROGRAMS\Quellery\Quellery.lnk" "$INSTDIR\Quellery.exe"
  CreateShortcut "$SMPROGRAMS\Quellery\Uninstall Quellery.lnk" "$INSTDIR\Uninstall.exe"

  ; Add/Remove Programs
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quellery ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quellery.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  ; Only what the installer put there: a folder the user chose may hold more.
  Delete "$INSTDIR\Quellery.exe"
  Delete "$INSTDIR\iea.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Quellery\Quellery.lnk"
  Delete "$SMPROGRAMS\Quellery\Uninstall Quellery.lnk"
  RMDir "$SMPROGRAMS\Quellery"

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
