; QuilletSetup.exe: installs Quillet for the user who runs it (no administrator rights): the
; program, its launcher and libraries, its help file and alternative look, the note file type,
; start-menu shortcuts for the letter window and for inking, and an uninstaller that takes all of
; it away again.
; Built by makensis with -DBIN=<folder of the built program> -DOUTFILE=<setup> -DICON=<icon>.

Unicode true
; A 64-bit installer for a 64-bit program (a 32-bit one would be redirected away from the
; program's own registry view and folders).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

Name "Quillet"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Quillet"
BrandingText "Quillet"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet"
; Where the program keeps its list of recent notes.
!define PROFILE_COMPANY "Software\Local AppWizard-Generated Applications"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quillet"
    SetOutPath "$INSTDIR"
    File "${BIN}/KVOmail.exe"
    File "${BIN}/KVOStart.exe"
    File "${BIN}/Brevix.dll"
    File "${BIN}/kvofunc.dll"
    File "${BIN}/help.chm"
    File "${BIN}/QznRes.dll"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ; The note file type, as the program itself registers it.
    WriteRegStr HKCU "${CLASSES}\.Qzn" "" "Qzn.Document"
    WriteRegStr HKCU "${CLASSES}\Qzn.Document" "" "Quillet  Document"
    WriteRegStr HKCU "${CLASSES}\Qzn.Document\DefaultIcon" "" "$INSTDIR\KVOmail.exe,0"
    WriteRegStr HKCU "${CLASSES}\Qzn.Document\shell\open\command" "" '"$INSTDIR\KVOmail.exe" "%1"'
    WriteRegStr HKCU "${CLASSES}\Qzn.Document\shell\print\command" "" '"$INSTDIR\KVOmail.exe" /p "%1"'
    WriteRegStr HKCU "${CLASSES}\Qzn.Document\shell\printto\command" "" '"$INSTDIR\KVOmail.exe" /pt "%1" "%2" "%3" "%4"'

    CreateDirectory "$SMPROGRAMS\Quillet"
    CreateShortcut "$SMPROGRAMS\Quillet\Quillet.lnk" "$INSTDIR\KVOmail.exe" "LETTER" "$INSTDIR\KVOmail.exe" 0
    CreateShortcut "$SMPROGRAMS\Quillet\Quillet Inking.lnk" "$INSTDIR\KVOStart.exe" "" "$INSTDIR\KVOStart.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quillet"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\KVOmail.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; The shell shows the note icon and the open verb at once.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"

    Delete "$SMPROGRAMS\Quillet\Quillet.lnk"
    Delete "$SMPROGRAMS\Quillet\Quillet Inking.lnk"
    RMDir "$SMPROGRAMS\Quillet"

    ; The note type only while it is still ours.
    ReadRegStr $0 HKCU "${CLASSES}\.Qzn" ""
    StrCmp $0 "Qzn.Document" 0 +2
        DeleteRegKey HKCU "${CLASSES}\.Qzn"
    DeleteRegKey HKCU "${CLASSES}\Qzn.Document"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "${PROFILE_COMPANY}\Quillet"
    DeleteRegKey /ifempty HKCU "${PROFILE_COMPANY}"

    ; Recovery copies of unsaved notes, where the program keeps them.
    ReadEnvStr $1 LOCALAPPDATA
    StrCmp $1 "" 0 +2
        StrCpy $1 "$LOCALAPPDATA"
    RMDir /r "$1\Quillet"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    ; The program's folder last: once it is gone, the uninstall is complete.
    Delete "$INSTDIR\KVOmail.exe"
    Delete "$INSTDIR\KVOStart.exe"
    Delete "$INSTDIR\Brevix.dll"
    Delete "$INSTDIR\kvofunc.dll"
    Delete "$INSTDIR\help.chm"
    Delete "$INSTDIR\QznRes.dll"
    ; The settings the program writes beside itself.
    Delete "$INSTDIR\ZLNKVO.ini"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
