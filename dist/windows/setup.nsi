; The Windows setup program of Tessaform Convertor, built by
; scripts/windows/make-setup.sh with makensis (Debian package nsis):
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DSTAGE=folder -DFILES=files.nsh
;            -DUNFILES=unfiles.nsh -DNOTICES=notices.txt -DICON=tessaform.ico
;            -DOUTFILE=setup.exe setup.nsi
; STAGE is the folder the zip holds too; FILES and UNFILES install and remove
; its files one by one, so the uninstaller removes only what was installed.
;
; Per user by default, without administrator rights, into the user's program
; folder; for all users (Program Files, HKLM) when run as administrator, on
; the install-mode page or with /AllUsers. Silent: /S, /D=folder (last).
; The uninstaller keeps the settings and the cache unless they are ticked on
; its components page, or it is given /RemoveSettings.

Unicode true
Target amd64-unicode
!ifdef QUICK ; the earlier version of the upgrade check: built in seconds
  SetCompressor zlib
!else
  SetCompressor /SOLID lzma
!endif
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include Sections.nsh

!define PRODUCT "Tessaform Convertor"
!define PUBLISHER "The Tessaform developers"
!define PROGID "Tessaform.WinampSkin"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaform"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; SHCNE_ASSOCCHANGED: Explorer reads the file types again.
!define NotifyShell "System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir ""
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileDescription "${PRODUCT} setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "Copyright (c) 2026 ${PUBLISHER}. MIT License."

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

; The licence page shows our licence and the notices of what is shipped; it
; asks for no agreement (nothing in them restricts using the program).
!define MUI_LICENSEPAGE_BUTTON $(^NextBtn)
!define MUI_LICENSEPAGE_TEXT_BOTTOM $(LicenseBottom)
!insertmacro MUI_PAGE_LICENSE "${NOTICES}"
Page custom InstallModePage InstallModeLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tessaform.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for any other system language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString LicenseBottom ${LANG_ENGLISH} "${PRODUCT} is free software under the MIT licence; the libraries it ships come under their own licences, listed above. The notices are installed with the program."
LangString LicenseBottom ${LANG_JAPANESE} "${PRODUCT} は MIT ライセンスのフリーソフトウェアです。同梱のライブラリはそれぞれ上に挙げたライセンスに従います。この文書はプログラムと一緒にインストールされます。"
LangString ModeTitle ${LANG_ENGLISH} "Who it is for"
LangString ModeTitle ${LANG_JAPANESE} "インストールの対象"
LangString ModeSubtitle ${LANG_ENGLISH} "Install ${PRODUCT} for yourself or for everyone on this computer."
LangString ModeSubtitle ${LANG_JAPANESE} "${PRODUCT} を自分だけに入れるか、このコンピューターの全員に入れるかを選びます。"
LangString ModeForMe ${LANG_ENGLISH} "Just for me (in my own program folder)"
LangString ModeForMe ${LANG_JAPANESE} "自分だけ (自分のプログラム フォルダに入れます)"
LangString ModeForAll ${LANG_ENGLISH} "For all users of this computer (in Program Files)"
LangString ModeForAll ${LANG_JAPANESE} "このコンピューターのすべてのユーザー (Program Files に入れます)"
LangString AllUsersNeedsAdmin ${LANG_ENGLISH} "Installing for all users needs administrator rights: run the setup program as administrator."
LangString AllUsersNeedsAdmin ${LANG_JAPANESE} "すべてのユーザーへのインストールには管理者の権限が必要です。セットアップを管理者として実行してください。"
LangString OpenVerb ${LANG_ENGLISH} "Open with Tessaform"
LangString OpenVerb ${LANG_JAPANESE} "Tessaform で開く"
LangString UnProgram ${LANG_ENGLISH} "${PRODUCT}"
LangString UnProgram ${LANG_JAPANESE} "${PRODUCT}"
LangString UnProgramText ${LANG_ENGLISH} "The programs, the Start menu entry and the .wsz file type."
LangString UnProgramText ${LANG_JAPANESE} "プログラム、スタート メニューの項目、.wsz のファイルの種類。"
LangString UnSettings ${LANG_ENGLISH} "Settings and cache"
LangString UnSettings ${LANG_JAPANESE} "設定とキャッシュ"
LangString UnSettingsText ${LANG_ENGLISH} "Your settings file (tessaform.ini) and the working folders. Kept unless ticked, for a later installation."
LangString UnSettingsText ${LANG_JAPANESE} "設定ファイル (tessaform.ini) と作業フォルダ。チェックしなければ、次のインストールのために残します。"

Var AllUsers ; 1 when installing for everyone
Var ModeForAllButton

; ---- install mode ----------------------------------------------------------

Function UseInstallMode
  ${If} $AllUsers == 1
    SetShellVarContext all
    StrCpy $INSTDIR "$PROGRAMFILES64\Tessaform"
  ${Else}
    SetShellVarContext current
    GetKnownFolderPath $INSTDIR {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB} ; the user's program folder
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs"
    ${EndIf}
    StrCpy $INSTDIR "$INSTDIR\Tessaform"
  ${EndIf}
  ; An upgrade goes where the earlier version is.
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Function .onInit
  SetRegView 64
  StrCpy $AllUsers 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $R2
    ${If} $R2 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP $(AllUsersNeedsAdmin) /SD IDOK
      SetErrorLevel 5 ; access denied
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${EndIf}
  ; /D=folder on the command line has set $INSTDIR already.
  ${If} $INSTDIR == ""
    Call UseInstallMode
  ${Else}
    StrCpy $R3 $INSTDIR
    Call UseInstallMode
    StrCpy $INSTDIR $R3
  ${EndIf}
FunctionEnd

; Offered only to an administrator: anyone else installs for themselves.
Function InstallModePage
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT $(ModeTitle) $(ModeSubtitle)
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 10u 10u -10u 12u $(ModeForMe)
  Pop $1
  ${NSD_CreateRadioButton} 10u 30u -10u 12u $(ModeForAll)
  Pop $ModeForAllButton
  ${If} $AllUsers == 1
    ${NSD_Check} $ModeForAllButton
  ${Else}
    ${NSD_Check} $1
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function InstallModeLeave
  ${NSD_GetState} $ModeForAllButton $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call UseInstallMode
FunctionEnd

; ---- install ---------------------------------------------------------------

; An earlier version is removed by its own uninstaller, which knows its
; files: nothing stale stays behind, and the settings stay (it keeps them
; when run silently).
Function RemoveEarlierVersion
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}
FunctionEnd

; $R0: the class a .wsz key names; $R1 := 1 when it is another program's
; class and that class is there (a name left by a removed program is not).
Function IsAnotherClass
  StrCpy $R1 0
  ${If} $R0 != ""
  ${AndIf} $R0 != "${PROGID}"
    ClearErrors
    EnumRegKey $R2 HKCU "${CLASSES}\$R0" 0
    ${IfNot} ${Errors}
      StrCpy $R1 1
    ${EndIf}
    ClearErrors
    EnumRegKey $R2 HKLM "${CLASSES}\$R0" 0
    ${IfNot} ${Errors}
      StrCpy $R1 1
    ${EndIf}
  ${EndIf}
FunctionEnd

; .wsz becomes ours only where no other program has it: a class named for it
; in the user's or the machine's classes, or the user's own choice, stays.
Function TakeWszWhereFree
  ReadRegStr $R0 HKCU "${CLASSES}\.wsz" ""
  Call IsAnotherClass
  ${If} $R1 == 1
    Return
  ${EndIf}
  ReadRegStr $R0 HKLM "${CLASSES}\.wsz" ""
  Call IsAnotherClass
  ${If} $R1 == 1
    Return
  ${EndIf}
  ReadRegStr $R0 HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.wsz\UserChoice" "ProgId"
  ${If} $R0 != ""
  ${AndIf} $R0 != "${PROGID}"
    Return
  ${EndIf}
  WriteRegStr SHCTX "${CLASSES}\.wsz" "" "${PROGID}"
FunctionEnd

Section "Install"
  Call RemoveEarlierVersion
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\tessaform.exe" "" "$INSTDIR\tessaform.exe" 0

  ; The type of .wsz files and the open verb.
  WriteRegStr SHCTX "${CLASSES}\${PROGID}" "" "Winamp skin"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\tessaform.exe,0"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\shell\open" "" $(OpenVerb)
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\tessaform.exe" "%1"'
  WriteRegStr SHCTX "${CLASSES}\.wsz\OpenWithProgids" "${PROGID}" ""
  Call TakeWszWhereFree
  ; .zip only offers it under "Open with".
  WriteRegStr SHCTX "${CLASSES}\Applications\tessaform.exe" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr SHCTX "${CLASSES}\Applications\tessaform.exe\shell\open\command" "" '"$INSTDIR\tessaform.exe" "%1"'
  WriteRegStr SHCTX "${CLASSES}\Applications\tessaform.exe\SupportedTypes" ".wsz" ""
  WriteRegStr SHCTX "${CLASSES}\Applications\tessaform.exe\SupportedTypes" ".zip" ""
  WriteRegStr SHCTX "${CLASSES}\.zip\OpenWithList\tessaform.exe" "" ""

  ; Apps & features.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessaform.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
  ${NotifyShell}
SectionEnd

; ---- uninstall -------------------------------------------------------------


Section "!un.$(UnProgram)" UnProgramSection
  SectionIn RO
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  DeleteRegKey SHCTX "${CLASSES}\${PROGID}"
  DeleteRegValue SHCTX "${CLASSES}\.wsz\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.wsz\OpenWithProgids"
  ReadRegStr $0 SHCTX "${CLASSES}\.wsz" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue SHCTX "${CLASSES}\.wsz" ""
  ${EndIf}
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.wsz"
  DeleteRegKey SHCTX "${CLASSES}\Applications\tessaform.exe"
  DeleteRegKey SHCTX "${CLASSES}\.zip\OpenWithList\tessaform.exe"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.zip\OpenWithList"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\.zip"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${NotifyShell}
SectionEnd

; The settings and cache of the user who uninstalls (each user has their
; own; an installation for all users leaves the others' alone).
Section /o "un.$(UnSettings)" UnSettingsSection
  SetShellVarContext current
  RMDir /r "$APPDATA\tessaform"
  RMDir /r "$LOCALAPPDATA\tessaform"
SectionEnd

Function un.onInit
  SetRegView 64
  ; An installation for all users is the one HKLM names.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      ; Ask for the rights and hand over to the raised copy.
      ${GetParameters} $2
      ExecShell "runas" "$EXEPATH" '$2 _?=$INSTDIR'
      Quit
    ${EndIf}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/RemoveSettings" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSettingsSection}
  ${EndIf}
FunctionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnProgramSection} $(UnProgramText)
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSettingsSection} $(UnSettingsText)
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
