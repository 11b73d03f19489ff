; Pelorin's setup: installs for the current user only, without asking for
; elevation, into %LOCALAPPDATA%\Programs\Pelorin (or where Pelorin already
; is), with a Start-menu and a Send To shortcut and an entry in the user's
; list of installed programs. It speaks Japanese under a Japanese Windows
; and English elsewhere. /S installs silently.
;
; The same script built with -DUNINSTALLER is Uninstall.exe, a program of
; its own rather than NSIS's uninstaller: started in its folder, NSIS's
; uninstaller copies itself to TEMP and asks Windows to delete that copy at
; the next restart, a write under HKEY_LOCAL_MACHINE. Uninstall.exe hands
; its work to its own copy in TEMP instead, which stays there.
;
; It never touches a file that no Pelorin setup made: it refuses a folder
; that holds Pelorin.exe, README.txt or Uninstall.exe when the user's entry
; does not name that folder, and a second folder while Pelorin is installed
; in one. Neither replaces nor removes a running Pelorin: it asks to close
; it, or with /S ends with exit code 3 having changed nothing. Exit code 2:
; the folder was refused.
;
; Built by scripts/release.sh, which defines VERSION ("1.04"), VERSION4
; ("1.4.0.0"), ICON and OUTFILE, and for the setup EXE, README and
; UNINSTALL_EXE.
Unicode true
Name "Pelorin"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Pelorin"
; An upgrade goes where Pelorin already is.
InstallDirRegKey HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelorin" "InstallLocation"
SetCompressor /SOLID lzma
; No file times inside the setup: the same sources give the same bytes.
SetDateSave off
ShowInstDetails nevershow

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "Pelorin"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "Velmot"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2001 Velmot"

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelorin"
!define UNINSTALL_COPY "$TEMP\Pelorin-uninstall.exe"
!define MUI_ICON "${ICON}"
!define MUI_ABORTWARNING

!ifdef UNINSTALLER
    Caption "$(RemoveCaption)"
    VIAddVersionKey /LANG=1033 "FileDescription" "Pelorin ${VERSION} Uninstall"
    !define MUI_PAGE_HEADER_TEXT "$(RemovingTitle)"
    !define MUI_PAGE_HEADER_SUBTEXT "$(RemovingText)"
    !define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "$(RemovedTitle)"
    !define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "$(RemovedText)"
    !define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "$(NotRemovedTitle)"
    !define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "$(NotRemovedText)"
    !insertmacro MUI_PAGE_INSTFILES
!else
    Caption "$(SetupCaption)"
    VIAddVersionKey /LANG=1033 "FileDescription" "Pelorin ${VERSION} Setup"
    !define MUI_DIRECTORYPAGE_TEXT_TOP "$(WhatAndWhere)"
    !define MUI_PAGE_CUSTOMFUNCTION_LEAVE FolderPageLeave
    !insertmacro MUI_PAGE_DIRECTORY
    !insertmacro MUI_PAGE_INSTFILES
    !define MUI_FINISHPAGE_RUN "$INSTDIR\Pelorin.exe"
    !insertmacro MUI_PAGE_FINISH
!endif

; The folder the user's entry names, where that still holds Pelorin; empty
; when Pelorin is not installed.
Var Installed

; The first language is the one for users of every language but Japanese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString SetupCaption ${LANG_ENGLISH} "Pelorin ${VERSION} Setup"
LangString SetupCaption ${LANG_JAPANESE} "Pelorin ${VERSION} セットアップ"
LangString WhatAndWhere ${LANG_ENGLISH} "Setup installs Pelorin ${VERSION} for you alone into the folder below: Pelorin.exe, README.txt and Uninstall.exe. It adds a Pelorin shortcut to the Start menu and to Send To, and lists Pelorin under Installed apps. Your settings are kept."
LangString WhatAndWhere ${LANG_JAPANESE} "Pelorin ${VERSION} を、あなた専用として次のフォルダーにインストールします: Pelorin.exe、README.txt、Uninstall.exe。スタート メニューと「送る」に Pelorin のショートカットを作り、「インストールされているアプリ」に登録します。設定はそのまま残ります。"
LangString Elsewhere ${LANG_ENGLISH} "Pelorin is installed in $Installed. Setup updates it there; to install it in another folder, uninstall it first."
LangString Elsewhere ${LANG_JAPANESE} "Pelorin は $Installed にインストールされています。セットアップはそこで更新します。別のフォルダーにインストールするには、先にアンインストールしてください。"
LangString NotOurs ${LANG_ENGLISH} "$INSTDIR already holds files of the names Pelorin installs (Pelorin.exe, README.txt or Uninstall.exe) that no Pelorin setup put there. Setup leaves them alone: choose another folder."
LangString NotOurs ${LANG_JAPANESE} "$INSTDIR には、Pelorin がインストールするのと同じ名前のファイル (Pelorin.exe、README.txt、Uninstall.exe) が、Pelorin のセットアップによらずに既にあります。それらには触れません。別のフォルダーを選んでください。"
LangString CloseIt ${LANG_ENGLISH} "Pelorin is running. Close Pelorin, then choose Retry. (Cancel leaves Pelorin as it is.)"
LangString CloseIt ${LANG_JAPANESE} "Pelorin が実行中です。Pelorin を閉じてから [再試行] を選んでください。([キャンセル] では Pelorin はそのままです。)"
LangString RemoveCaption ${LANG_ENGLISH} "Pelorin Uninstall"
LangString RemoveCaption ${LANG_JAPANESE} "Pelorin のアンインストール"
LangString Confirm ${LANG_ENGLISH} "Remove Pelorin from $INSTDIR, with its Start-menu and Send To shortcuts? Your settings are kept."
LangString Confirm ${LANG_JAPANESE} "Pelorin を $INSTDIR から、スタート メニューと「送る」のショートカットとともに削除しますか? 設定は残ります。"
LangString NotRecorded ${LANG_ENGLISH} "Pelorin's entry does not name $INSTDIR: nothing there was removed."
LangString NotRecorded ${LANG_JAPANESE} "Pelorin の登録は $INSTDIR を指していません。何も削除しませんでした。"
LangString RemovingTitle ${LANG_ENGLISH} "Removing Pelorin"
LangString RemovingTitle ${LANG_JAPANESE} "Pelorin を削除しています"
LangString RemovingText ${LANG_ENGLISH} "Pelorin is being removed from $INSTDIR."
LangString RemovingText ${LANG_JAPANESE} "Pelorin を $INSTDIR から削除しています。"
LangString RemovedTitle ${LANG_ENGLISH} "Pelorin has been removed"
LangString RemovedTitle ${LANG_JAPANESE} "Pelorin を削除しました"
LangString RemovedText ${LANG_ENGLISH} "Your settings are kept under HKEY_CURRENT_USER\Software\Velmot\Pelorin."
LangString RemovedText ${LANG_JAPANESE} "設定は HKEY_CURRENT_USER\Software\Velmot\Pelorin に残っています。"
LangString NotRemovedTitle ${LANG_ENGLISH} "Pelorin has not been removed"
LangString NotRemovedTitle ${LANG_JAPANESE} "Pelorin は削除されませんでした"
LangString NotRemovedText ${LANG_ENGLISH} "Close Pelorin and uninstall it again."
LangString NotRemovedText ${LANG_JAPANESE} "Pelorin を閉じてから、もう一度アンインストールしてください。"

Function FindInstalled
    ReadRegStr $Installed HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $Installed != ""
    ${AndIfNot} ${FileExists} "$Installed\Pelorin.exe"
    ${AndIfNot} ${FileExists} "$Installed\Uninstall.exe"
        StrCpy $Installed ""
    ${EndIf}
FunctionEnd

; Whether Pelorin.exe in $INSTDIR runs ($R9 "1", else empty): the file of a
; running program cannot be opened for writing.
Function PelorinRuns
    StrCpy $R9 ""
    ${If} ${FileExists} "$INSTDIR\Pelorin.exe"
        ClearErrors
        FileOpen $R8 "$INSTDIR\Pelorin.exe" a
        ${If} ${Errors}
            StrCpy $R9 1
        ${Else}
            FileClose $R8
        ${EndIf}
    ${EndIf}
FunctionEnd

; Until Pelorin is closed: asks the user to close it (Cancel ends with exit
; code 1); silent, ends at once with exit code 3. Nothing is changed.
Function UntilClosed
    ${Do}
        Call PelorinRuns
        ${If} $R9 == ""
            Return
        ${EndIf}
        ${If} ${Silent}
            SetErrorLevel 3
            Quit
        ${EndIf}
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(CloseIt)" IDRETRY`
            SetErrorLevel 1
            Quit
        ${EndIf}
    ${Loop}
FunctionEnd

; The last look before a file changes: Pelorin may have been started since.
!macro StopIfRunning
    Call PelorinRuns
    ${If} $R9 != ""
        DetailPrint "$(CloseIt)"
        SetErrorLevel 3
        Abort
    ${EndIf}
!macroend

!ifndef UNINSTALLER

; Why the setup cannot install into $INSTDIR, in $R9 (empty: it can).
Function CheckFolder
    StrCpy $R9 ""
    ${If} $Installed != ""
        ${If} $Installed != $INSTDIR
            StrCpy $R9 "$(Elsewhere)"
        ${EndIf}
    ${ElseIf} ${FileExists} "$INSTDIR\Pelorin.exe"
    ${OrIf} ${FileExists} "$INSTDIR\README.txt"
    ${OrIf} ${FileExists} "$INSTDIR\Uninstall.exe"
        StrCpy $R9 "$(NotOurs)"
    ${EndIf}
FunctionEnd

Function .onInit
    ; What an earlier uninstall left: its own copy, which could not delete itself.
    Delete "${UNINSTALL_COPY}"
    Call FindInstalled
    ${If} ${Silent}
        Call CheckFolder
        ${If} $R9 != ""
            SetErrorLevel 2
            Quit
        ${EndIf}
        Call UntilClosed
    ${EndIf}
FunctionEnd

Function FolderPageLeave
    Call CheckFolder
    ${If} $R9 != ""
        MessageBox MB_OK|MB_ICONEXCLAMATION "$R9"
        Abort
    ${EndIf}
    Call UntilClosed
FunctionEnd

Section
    !insertmacro StopIfRunning
    SetOutPath "$INSTDIR"
    File "/oname=Pelorin.exe" "${EXE}"
    File "/oname=README.txt" "${README}"
    File "/oname=Uninstall.exe" "${UNINSTALL_EXE}"
    CreateShortcut "$SMPROGRAMS\Pelorin.lnk" "$INSTDIR\Pelorin.exe"
    CreateShortcut "$SENDTO\Pelorin.lnk" "$INSTDIR\Pelorin.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Pelorin"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Velmot"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pelorin.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!else

Function .onInit
    Call FindInstalled
    ; In Pelorin's folder (started by Installed apps, or by hand): the copy
    ; in TEMP does the work, so that this file and its folder can go. Any
    ; arguments (an older entry's _?=) are not needed.
    ${If} $EXEPATH != "${UNINSTALL_COPY}"
        StrCpy $INSTDIR $EXEDIR
    ${EndIf}
    ; Only the folder the entry names, and only with Pelorin closed.
    ${If} $Installed != $INSTDIR
        MessageBox MB_OK|MB_ICONSTOP "$(NotRecorded)" /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    Call UntilClosed
    ${If} $EXEPATH != "${UNINSTALL_COPY}"
        ${IfNot} ${Silent}
        ${AndIfNot} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION "$(Confirm)" IDYES`
            SetErrorLevel 1
            Quit
        ${EndIf}
        ClearErrors
        CopyFiles /SILENT "$EXEPATH" "${UNINSTALL_COPY}"
        ${If} ${Silent}
            Exec '"${UNINSTALL_COPY}" /S /D=$INSTDIR'
        ${Else}
            Exec '"${UNINSTALL_COPY}" /D=$INSTDIR'
        ${EndIf}
        ${If} ${Errors}
            SetErrorLevel 2
        ${Else}
            SetErrorLevel 0   ; Quit alone would say "aborted"
        ${EndIf}
        Quit
    ${EndIf}
FunctionEnd

; Everything the setup made, and nothing else: the settings under
; HKCU\Software\Velmot stay, as the read-me says. The program goes first:
; while it cannot, the shortcuts and the entry stay too.
Section
    !insertmacro StopIfRunning
    Delete "$INSTDIR\Pelorin.exe"
    ${If} ${FileExists} "$INSTDIR\Pelorin.exe"
        SetErrorLevel 3
        Abort
    ${EndIf}
    Delete "$INSTDIR\README.txt"
    Delete "$SMPROGRAMS\Pelorin.lnk"
    Delete "$SENDTO\Pelorin.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Uninstall.exe in place, which started this copy, may still be ending:
    ; its file is taken once it has gone (30 s at most).
    ${For} $1 1 60
        Delete "$INSTDIR\Uninstall.exe"
        ${IfNot} ${FileExists} "$INSTDIR\Uninstall.exe"
            ${Break}
        ${EndIf}
        Sleep 500
    ${Next}
    RMDir "$INSTDIR"
    ; The parent the setup may have made; kept when anything else is in it.
    RMDir "$LOCALAPPDATA\Programs"
SectionEnd

!endif
