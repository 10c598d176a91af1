; The Windows installer: the unpacked folder of the zip into Program Files
; (or, without administrator rights, into the user's own programs folder),
; a Start-menu shortcut that starts the program in the sample catalogue's
; folder, and an uninstaller listed under Apps.
;
; makensis /DVERSION=1.4 /DSTAGE=<folder of the zip> /DOUTFILE=<setup.exe> tarvolin.nsi

Unicode true
SetCompressor /SOLID lzma

!define APP "Tarvolin"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvolin"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Tarvolin"
!define MULTIUSER_MUI
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"

!define MUI_ICON "${STAGE}\tarvolin.ico"
!define MUI_UNICON "${STAGE}\tarvolin.ico"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "${APP} は 64 ビット版 Windows で動作します。"
        Abort
    ${EndIf}
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

; The program reads its catalogue from the folder it starts in.
Function StartProgram
    SetOutPath "$INSTDIR\sample"
    Exec '"$INSTDIR\tarvolin.exe"'
FunctionEnd

Section "Tarvolin"
    SetOutPath "$INSTDIR"
    File /r /x "spring_data.xml" /x "spring_maker.xml" "${STAGE}\*.*"
    SetOutPath "$INSTDIR\sample"
    File "${STAGE}\spring_data.xml" "${STAGE}\spring_maker.xml"

    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut's start-in folder is the output path at its making.
    CreateDirectory "$SMPROGRAMS\${APP}"
    SetOutPath "$INSTDIR\sample"
    CreateShortCut "$SMPROGRAMS\${APP}\${APP}.lnk" "$INSTDIR\tarvolin.exe" "" \
        "$INSTDIR\tarvolin.exe" 0 SW_SHOWNORMAL "" "${APP} ${VERSION}"

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${APP}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvolin.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APP}\${APP}.lnk"
    RMDir "$SMPROGRAMS\${APP}"
    ; Only what the installer put there: a catalogue of the user's own in
    ; the sample folder stays.
    Delete "$INSTDIR\sample\spring_data.xml"
    Delete "$INSTDIR\sample\spring_maker.xml"
    RMDir "$INSTDIR\sample"
    !include "${FILELIST}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
