; Pelorin's setup: installs for the current user only, without asking for
; elevation, into %LOCALAPPDATA%\Programs\Pelorin, with a Start-menu and a
; Send To shortcut and an entry in the user's list of installed programs.
; Installing over an older version replaces it in place. /S installs and
; uninstalls silently. Built by scripts/release.sh, which defines VERSION
; ("1.04"), VERSION4 ("1.4.0.0"), EXE, README and OUTFILE.
Unicode true
Name "Pelorin"
Caption "Pelorin ${VERSION} Setup"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Pelorin"
SetCompressor /SOLID lzma
; No file times inside the setup: the same sources give the same bytes.
SetDateSave off
Icon "${ICON}"
UninstallIcon "${ICON}"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "Pelorin"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Pelorin ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "Velmot"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2001 Velmot"

!include FileFunc.nsh
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelorin"

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
    ; What an earlier uninstall left: its own copy, which could not delete itself.
    Delete "$TEMP\Pelorin-uninstall.exe"
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "/oname=Pelorin.exe" "${EXE}"
    File "/oname=README.txt" "${README}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Pelorin.lnk" "$INSTDIR\Pelorin.exe"
    CreateShortcut "$SENDTO\Pelorin.lnk" "$INSTDIR\Pelorin.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Pelorin"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Velmot"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pelorin.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" _?=$INSTDIR'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S _?=$INSTDIR'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller runs from a copy in TEMP, so that it can remove itself and
; its folder. (The registered commands start it in place with _?=, which
; keeps NSIS from making a copy of its own and asking Windows to delete that
; at the next restart.)
Function un.onInit
    StrCmp $EXEDIR $INSTDIR 0 done
    CopyFiles /SILENT "$EXEPATH" "$TEMP\Pelorin-uninstall.exe"
    StrCpy $0 ""
    IfSilent 0 +2
    StrCpy $0 "/S "
    Exec '"$TEMP\Pelorin-uninstall.exe" $0_?=$INSTDIR'
    SetErrorLevel 0
    Quit
done:
FunctionEnd

; Everything the setup made, and nothing else: the settings under
; HKCU\software\Velmot stay, as the read-me says.
Section "Uninstall"
    Delete "$SMPROGRAMS\Pelorin.lnk"
    Delete "$SENDTO\Pelorin.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    Delete "$INSTDIR\Pelorin.exe"
    Delete "$INSTDIR\README.txt"
    ; The uninstaller in place that started this copy may still be ending:
    ; its file is taken once it has gone (30 s at most).
    StrCpy $1 0
    retry:
    ClearErrors
    Delete "$INSTDIR\Uninstall.exe"
    IfErrors 0 +4
    IntOp $1 $1 + 1
    Sleep 500
    IntCmp $1 60 0 retry
    RMDir "$INSTDIR"
    ; The parent the setup may have made; kept when anything else is in it.
    RMDir "$LOCALAPPDATA\Programs"
SectionEnd
