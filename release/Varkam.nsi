; The per-user installer: no administrator rights, the user's own programs folder (where
; DicSet.vq can be written), a Start menu shortcut that starts in the install folder, and an
; uninstaller. Built by makensis with -DSTAGING=folder-of-files -DOUTFILE=setup.exe.
;
; The user may compile a dictionary of their own into the program's folder (vqbuild.exe keeps
; the one it replaces in "previous"). Setup records the size and the time of each bundled data
; file it installs; a data file there that does not match is the user's, so setup installs the
; dictionary only where no dictionary of the user's is, and the uninstaller removes only the data
; files that match, leaving the user's and saying so.
Unicode true
; Varkam.exe is a 64-bit program, and so is its installer.
Target amd64-unicode

Name "Varkam ${SHORT_VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Varkam"
SetCompressor /SOLID lzma
Icon "${STAGING}\..\Varkam.ico"
UninstallIcon "${STAGING}\..\Varkam.ico"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varkam"

!include LogicLib.nsh

; $1 for the file named by $0: "SIZE/HIGH/LOW" (its size and its time), "" when nothing is
; there, "?" when something is there that cannot be read as a file. Changes $2 to $5.
!macro DEFINE_DATA_SIGNATURE PREFIX
Function ${PREFIX}DataSignature
  StrCpy $1 ""
  ${If} ${FileExists} "$0"
    StrCpy $1 "?"
    ClearErrors
    FileOpen $2 "$0" r
    ${IfNot} ${Errors}
      FileSeek $2 0 END $3
      FileClose $2
      GetFileTime "$0" $4 $5
      ${IfNot} ${Errors}
        StrCpy $1 "$3/$4/$5"
      ${EndIf}
    ${EndIf}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_DATA_SIGNATURE ""
!insertmacro DEFINE_DATA_SIGNATURE "un."

; $7 becomes 1 when the data file NAME in the install folder is there and is not the bundled one
; setup installed.
!macro MARK_IF_USERS NAME
  StrCpy $0 "$INSTDIR\${NAME}"
  Call DataSignature
  ReadRegStr $6 HKCU "${UNINSTALL_KEY}" "Installed ${NAME}"
  ${If} $1 != ""
  ${AndIf} $1 != $6
    StrCpy $7 "1"
  ${EndIf}
!macroend

!macro INSTALL_SAMPLE NAME
  File "${STAGING}\${NAME}"
  StrCpy $0 "$INSTDIR\${NAME}"
  Call DataSignature
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Installed ${NAME}" $1
!macroend

; The data file NAME in FOLDER goes when it is the bundled one setup installed (vqbuild moves the
; one it replaces into "previous" whole, its time too); otherwise $7 becomes 1.
!macro REMOVE_IF_BUNDLED FOLDER NAME
  StrCpy $0 "${FOLDER}\${NAME}"
  Call un.DataSignature
  ReadRegStr $6 HKCU "${UNINSTALL_KEY}" "Installed ${NAME}"
  ${If} $1 == $6
  ${AndIf} $1 != ""
    Delete "$0"
  ${ElseIf} $1 != ""
    StrCpy $7 "1"
  ${EndIf}
!macroend

Section "Varkam"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGING}\Varkam.exe"
  File "${STAGING}\vqbuild.exe"
  File "${STAGING}\vqlookup.exe"
  File "${STAGING}\vqdump.exe"
  StrCpy $7 ""
  !insertmacro MARK_IF_USERS Dat01.vq
  !insertmacro MARK_IF_USERS Dat02.vq
  !insertmacro MARK_IF_USERS Dat03.vq
  !insertmacro MARK_IF_USERS Dat04.vq
  ${If} $7 == "1"
    DetailPrint "Your own dictionary in $INSTDIR is kept; the bundled dictionary is not installed."
  ${Else}
    !insertmacro INSTALL_SAMPLE Dat01.vq
    !insertmacro INSTALL_SAMPLE Dat02.vq
    !insertmacro INSTALL_SAMPLE Dat03.vq
    !insertmacro INSTALL_SAMPLE Dat04.vq
  ${EndIf}
  File "${STAGING}\README.txt"
  File "${STAGING}\NOTICES.txt"
  File "${STAGING}\LICENSE-CLDR.txt"
  File "${STAGING}\LICENSE-WordNet.txt"
  File "${STAGING}\CREDITS-Wiktionary.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The shortcut's working folder is the output path: the install folder, where the data is.
  CreateDirectory "$SMPROGRAMS\Varkam"
  CreateShortcut "$SMPROGRAMS\Varkam\Varkam.lnk" "$INSTDIR\Varkam.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Varkam ${SHORT_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Varkam"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Varkam.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Varkam\Varkam.lnk"
  RMDir "$SMPROGRAMS\Varkam"
  Delete "$INSTDIR\Varkam.exe"
  Delete "$INSTDIR\vqbuild.exe"
  Delete "$INSTDIR\vqlookup.exe"
  Delete "$INSTDIR\vqdump.exe"
  ; The bundled dictionary goes, wherever vqbuild has moved it; the user's dictionary stays, and
  ; so does a build's staging folder "previous.new", which may hold the only copy of one.
  StrCpy $7 ""
  !insertmacro REMOVE_IF_BUNDLED "$INSTDIR" Dat01.vq
  !insertmacro REMOVE_IF_BUNDLED "$INSTDIR" Dat02.vq
  !insertmacro REMOVE_IF_BUNDLED "$INSTDIR" Dat03.vq
  !insertmacro REMOVE_IF_BUNDLED "$INSTDIR" Dat04.vq
  !insertmacro REMOVE_IF_BUNDLED "$INSTDIR\previous" Dat01.vq
  !insertmacro REMOVE_IF_BUNDLED "$INSTDIR\previous" Dat02.vq
  !insertmacro REMOVE_IF_BUNDLED "$INSTDIR\previous" Dat03.vq
  !insertmacro REMOVE_IF_BUNDLED "$INSTDIR\previous" Dat04.vq
  RMDir "$INSTDIR\previous"
  ; The empty lock a build leaves when it is killed; a file of that name with data is not one.
  StrCpy $0 "$INSTDIR\vqbuild.lock"
  Call un.DataSignature
  StrCpy $2 $1 2
  ${If} $2 == "0/"
    Delete "$0"
  ${EndIf}
  Delete "$INSTDIR\DicSet.vq"
  Delete "$INSTDIR\DicSet.vq.new"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\NOTICES.txt"
  Delete "$INSTDIR\LICENSE-CLDR.txt"
  Delete "$INSTDIR\LICENSE-WordNet.txt"
  Delete "$INSTDIR\CREDITS-Wiktionary.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} $7 == "1"
    DetailPrint "Your own dictionary is left in $INSTDIR."
    MessageBox MB_OK|MB_ICONINFORMATION "Your own dictionary is left in $INSTDIR." /SD IDOK
  ${EndIf}
SectionEnd
