; Setup program of Reefsaver. Built by makensis with these defines (absolute paths):
;   OUTFILE  the setup program to write
;   SCR      reefsaver-basic.scr      EXE  reefsaver.exe      DATA  the Reefglass data folder
; Installs the screensaver into the system folder with its data folder beside it, the interactive
; program into Program Files with its own data folder and a Start-menu entry, and offers to make
; Reefsaver the current user's screensaver. /S installs silently and answers that offer with yes.
; It speaks English, Dutch, German and French: it asks which first, with the Windows UI language
; chosen (English for any other). The saver's files are the same in every language; they carry
; all four.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "Reefsaver"
!define VERSION "1.0.0.0"
!define PUBLISHER "Orvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Reefsaver"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SAVER_FILE "reefsaver-basic.scr"

; English first: the language of a Windows whose language is none of the four.
LoadLanguageFile "${NSISDIR}\Contrib\Language files\English.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Dutch.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\German.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\French.nlf"

LangString LanguageTitle ${LANG_ENGLISH} "${PRODUCT} Setup"
LangString LanguageTitle ${LANG_DUTCH} "${PRODUCT}-installatie"
LangString LanguageTitle ${LANG_GERMAN} "Installation von ${PRODUCT}"
LangString LanguageTitle ${LANG_FRENCH} "Installation de ${PRODUCT}"
LangString LanguageText ${LANG_ENGLISH} "Choose the language of the setup:"
LangString LanguageText ${LANG_DUTCH} "Kies de taal van de installatie:"
LangString LanguageText ${LANG_GERMAN} "Wählen Sie die Sprache der Installation:"
LangString LanguageText ${LANG_FRENCH} "Choisissez la langue de l'installation :"
LangString UseAsSaver ${LANG_ENGLISH} "Do you want to use ${PRODUCT} as your screen saver now?"
LangString UseAsSaver ${LANG_DUTCH} "Wilt u ${PRODUCT} nu als schermbeveiliging gebruiken?"
LangString UseAsSaver ${LANG_GERMAN} "Möchten Sie ${PRODUCT} jetzt als Bildschirmschoner verwenden?"
LangString UseAsSaver ${LANG_FRENCH} "Voulez-vous utiliser ${PRODUCT} comme écran de veille maintenant ?"
LangString RemoveShortcut ${LANG_ENGLISH} "Uninstall ${PRODUCT}"
LangString RemoveShortcut ${LANG_DUTCH} "${PRODUCT} verwijderen"
LangString RemoveShortcut ${LANG_GERMAN} "${PRODUCT} deinstallieren"
LangString RemoveShortcut ${LANG_FRENCH} "Désinstaller ${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
!macro VERSION_KEYS LANG DESCRIPTION
  VIAddVersionKey /LANG=${LANG} "ProductName" "${PRODUCT}"
  VIAddVersionKey /LANG=${LANG} "CompanyName" "${PUBLISHER}"
  VIAddVersionKey /LANG=${LANG} "FileDescription" "${DESCRIPTION}"
  VIAddVersionKey /LANG=${LANG} "FileVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANG} "ProductVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANG} "LegalCopyright" "${PUBLISHER}"
!macroend
!insertmacro VERSION_KEYS ${LANG_ENGLISH} "${PRODUCT} Setup"
!insertmacro VERSION_KEYS ${LANG_DUTCH} "${PRODUCT}-installatie"
!insertmacro VERSION_KEYS ${LANG_GERMAN} "Installation von ${PRODUCT}"
!insertmacro VERSION_KEYS ${LANG_FRENCH} "Installation de ${PRODUCT}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

; The four languages offered, the one of Windows' UI language chosen (the installer has set
; $LANGUAGE to it). A silent setup asks nothing.
Function .onInit
  IfSilent done
  Push ""
  Push ${LANG_ENGLISH}
  Push "English"
  Push ${LANG_DUTCH}
  Push "Nederlands"
  Push ${LANG_GERMAN}
  Push "Deutsch"
  Push ${LANG_FRENCH}
  Push "Français"
  Push A
  LangDLL::LangDialog "$(LanguageTitle)" "$(LanguageText)"
  Pop $LANGUAGE
  StrCmp $LANGUAGE "cancel" 0 done
    Abort
  done:
FunctionEnd

; The CD menu leaves a Run entry to go on after a restart; one whose program is gone (a CD image
; unmounted for good) would start nothing at every logon, so it goes, with the product kept beside it.
Function RemoveStaleMenuEntry
  ReadRegStr $0 HKCU "${RUN_KEY}" "KvSetupX.exe"
  StrCmp $0 "" done
  StrCpy $3 " "
  StrCpy $1 $0 1
  StrCmp $1 '"' 0 find
  StrCpy $0 $0 "" 1
  StrCpy $3 '"'
  find:
  StrCpy $2 0
  next:
  StrCpy $1 $0 1 $2
  StrCmp $1 "" cut
  StrCmp $1 $3 cut
  IntOp $2 $2 + 1
  Goto next
  cut:
  StrCpy $0 $0 $2
  IfFileExists $0 done
  DeleteRegValue HKCU "${RUN_KEY}" "KvSetupX.exe"
  DeleteRegKey HKCU "Software\KvSetupX"
  done:
FunctionEnd

Section "Reefsaver"
  SetShellVarContext all
  Call RemoveStaleMenuEntry

  SetOutPath "$SYSDIR"
  File "/oname=${SAVER_FILE}" "${SCR}"
  SetOutPath "$SYSDIR\Reefglass"
  File /r "${DATA}/*"

  SetOutPath "$INSTDIR"
  File "/oname=reefsaver.exe" "${EXE}"
  SetOutPath "$INSTDIR\Reefglass"
  File /r "${DATA}/*"
  SetOutPath "$INSTDIR"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\reefsaver.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\$(RemoveShortcut).lnk" "$INSTDIR\uninstall.exe"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\${SAVER_FILE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  MessageBox MB_YESNO|MB_ICONQUESTION "$(UseAsSaver)" /SD IDYES IDNO done
    ; The saver that was chosen before is kept, so that removing Reefsaver gives it back.
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    StrCmp $0 "$SYSDIR\${SAVER_FILE}" active
    WriteRegStr HKLM "${UNINSTALL_KEY}" "PreviousScreenSaver" "$0"
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\${SAVER_FILE}"
  active:
  done:
SectionEnd

Section "Uninstall"
  SetShellVarContext all

  ; Give back the screensaver chosen before, but only while ours is still the chosen one.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCmp $0 "$SYSDIR\${SAVER_FILE}" 0 kept
    ClearErrors
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "PreviousScreenSaver"
    IfErrors 0 +3
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      Goto kept
    StrCmp $1 "" 0 +3
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      Goto kept
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$1"
  kept:

  Delete "$SYSDIR\${SAVER_FILE}"
  RMDir /r "$SYSDIR\Reefglass"
  Delete "$INSTDIR\reefsaver.exe"
  RMDir /r "$INSTDIR\Reefglass"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  ; The setup's language named the shortcut; the uninstaller's may be another.
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} verwijderen.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} deinstallieren.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Désinstaller ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
