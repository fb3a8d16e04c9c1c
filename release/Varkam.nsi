; The per-user installer: no administrator rights, the user's own programs folder (where
; DicSet.vq can be written), a Start menu shortcut that starts in the install folder, and an
; uninstaller. Built by makensis with -DSTAGING=folder-of-files -DOUTFILE=setup.exe.
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

Section "Varkam"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGING}\Varkam.exe"
  File "${STAGING}\vqbuild.exe"
  File "${STAGING}\vqlookup.exe"
  File "${STAGING}\vqdump.exe"
  File "${STAGING}\Dat01.vq"
  File "${STAGING}\Dat02.vq"
  File "${STAGING}\Dat03.vq"
  File "${STAGING}\Dat04.vq"
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
  ; A dictionary compiled into the program's folder kept the one it replaced here.
  Delete "$INSTDIR\previous\Dat01.vq"
  Delete "$INSTDIR\previous\Dat02.vq"
  Delete "$INSTDIR\previous\Dat03.vq"
  Delete "$INSTDIR\previous\Dat04.vq"
  RMDir "$INSTDIR\previous"
  Delete "$INSTDIR\Dat01.vq"
  Delete "$INSTDIR\Dat02.vq"
  Delete "$INSTDIR\Dat03.vq"
  Delete "$INSTDIR\Dat04.vq"
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
SectionEnd
