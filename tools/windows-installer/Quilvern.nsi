; The Windows installer: the VST3 bundle into the common VST3 folder, the
; VST 2.4 library into a folder the user chooses (remembered for the next
; install), and an uninstaller listed in Apps & features.
;
; cmake/WindowsInstaller.cmake runs makensis with these defines:
;   VERSION      the product version, three numbers ("1.3.1")
;   VST2_FILE    the VST 2.4 library to install as Quilvern.dll
;   VST3_MODULE  the VST3 module to install as
;                Quilvern.vst3\Contents\x86_64-win\Quilvern.vst3
;   LICENSE_FILE the licence shown on the first page
;   OUTFILE      the installer to write
;
; Silent use, as an administrator: "setup.exe /S [/D=VST 2.4 folder]" and
; "Uninstall.exe /S". /D must come last and unquoted, as NSIS wants it.

Unicode true
Target amd64-unicode
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
; Both libraries hold the same shared code: a dictionary that spans the
; first lets the second compress to little more than its differences.
SetCompressorDictSize 32

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT "Quilvern"
!define PUBLISHER "Brannock Group Audio Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define COMPANY_KEY "Software\${PUBLISHER}"
!define PRODUCT_KEY "${COMPANY_KEY}\${PRODUCT}"
!define VST2_FOLDER_VALUE "VST2Folder"
!define VST3_BUNDLE "$COMMONFILES64\VST3\${PRODUCT}.vst3"
!define VST3_FOLDER "${VST3_BUNDLE}\Contents\x86_64-win"
!define COMPANY_FOLDER "$PROGRAMFILES64\${PUBLISHER}"
!define UNINSTALLER_FOLDER "${COMPANY_FOLDER}\${PRODUCT}"
!define UNINSTALLER "${UNINSTALLER_FOLDER}\Uninstall.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey LegalCopyright "${PUBLISHER}; GNU General Public License, version 3"

; The VST 2.4 folder the last install used.
Var previousVst2Folder

!define MUI_ABORTWARNING

; The GPL asks for no acceptance: the page shows it and goes on.
!define MUI_LICENSEPAGE_TEXT_BOTTOM "${PRODUCT} is free software under the GNU General Public License, version 3: you may use, study, share and change it under its terms. Click Next to continue."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"

!define MUI_COMPONENTSPAGE_TEXT_TOP "Choose the plug-in formats to install. Hosts that support VST3 should use the VST3 plug-in."
!insertmacro MUI_PAGE_COMPONENTS

!define MUI_PAGE_CUSTOMFUNCTION_PRE skipVst2FolderUnlessChosen
!define MUI_PAGE_HEADER_TEXT "VST 2.4 Plug-in Folder"
!define MUI_PAGE_HEADER_SUBTEXT "Choose the folder your host searches for VST 2.4 plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup will put the VST 2.4 plug-in, ${PRODUCT}.dll, into this folder. To use another, click Browse. The VST3 plug-in always goes into $COMMONFILES64\VST3, where every VST3 host looks."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "VST 2.4 plug-in folder"
!insertmacro MUI_PAGE_DIRECTORY

!insertmacro MUI_PAGE_INSTFILES

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

;------------------------------------------------------------------------------
; Without administrator rights nothing could be written where hosts look.
!macro requireAdministrator
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        MessageBox MB_ICONSTOP|MB_OK "Installing or removing ${PRODUCT} needs administrator rights." /SD IDOK
        SetErrorLevel 740
        Quit
    ${EndIf}
!macroend

Function .onInit
    !insertmacro requireAdministrator
    SetRegView 64
    SetShellVarContext all

    ReadRegStr $previousVst2Folder HKLM "${PRODUCT_KEY}" "${VST2_FOLDER_VALUE}"

    ; /D= sets the folder before this runs; otherwise the last one, or the
    ; usual place.
    ${If} $INSTDIR == ""
        StrCpy $INSTDIR $previousVst2Folder
    ${EndIf}
    ${If} $INSTDIR == ""
        StrCpy $INSTDIR "$PROGRAMFILES64\VSTPlugins"
    ${EndIf}
FunctionEnd

;------------------------------------------------------------------------------
Section "VST3 plug-in" SectionVst3
    SetOutPath "${VST3_FOLDER}"
    File "/oname=${PRODUCT}.vst3" "${VST3_MODULE}"
SectionEnd

Section "VST 2.4 plug-in" SectionVst2
    ; A host must not find two copies: the one in the folder used before
    ; goes (first, in case both names reach the same folder). Its settings
    ; file stays, as the user's.
    ${If} $previousVst2Folder != ""
    ${AndIf} $previousVst2Folder != $INSTDIR
        Delete "$previousVst2Folder\${PRODUCT}.dll"
    ${EndIf}

    SetOutPath "$INSTDIR"
    File "/oname=${PRODUCT}.dll" "${VST2_FILE}"

    WriteRegStr HKLM "${PRODUCT_KEY}" "${VST2_FOLDER_VALUE}" "$INSTDIR"
SectionEnd

Section "-Uninstaller"
    CreateDirectory "${UNINSTALLER_FOLDER}"
    WriteUninstaller "${UNINSTALLER}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${UNINSTALLER},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "${UNINSTALLER_FOLDER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    Call writeEstimatedSize
SectionEnd

; The folder page serves the VST 2.4 library only.
Function skipVst2FolderUnlessChosen
    ${IfNot} ${SectionIsSelected} ${SectionVst2}
        Abort
    ${EndIf}
FunctionEnd

LangString DESC_SectionVst3 ${LANG_ENGLISH} "Quilvern.vst3 into $COMMONFILES64\VST3."
LangString DESC_SectionVst2 ${LANG_ENGLISH} "Quilvern.dll into a folder you choose next."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionVst3} $(DESC_SectionVst3)
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionVst2} $(DESC_SectionVst2)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; In KB, of everything installed now, including formats an earlier install
; put there and this one left alone.
Function writeEstimatedSize
    Push $0
    Push $1
    Push $2
    Push $3

    StrCpy $3 0
    ${GetSize} "${VST3_FOLDER}" "/M=${PRODUCT}.vst3 /S=0K /G=0" $0 $1 $2
    IntOp $3 $3 + $0
    ReadRegStr $1 HKLM "${PRODUCT_KEY}" "${VST2_FOLDER_VALUE}"
    ${If} $1 != ""
        ${GetSize} "$1" "/M=${PRODUCT}.dll /S=0K /G=0" $0 $1 $2
        IntOp $3 $3 + $0
    ${EndIf}
    ${GetSize} "${UNINSTALLER_FOLDER}" "/S=0K" $0 $1 $2
    IntOp $3 $3 + $0

    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $3

    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd

;------------------------------------------------------------------------------
; Removes the plug-in files and the folders they leave empty. The settings
; file (Quilvern.ini beside either library, or in the user's application
; data) and the user's presets, banks and maps stay, and so do the folders
; that hold them.
Function un.onInit
    !insertmacro requireAdministrator
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Uninstall"
    ReadRegStr $0 HKLM "${PRODUCT_KEY}" "${VST2_FOLDER_VALUE}"
    ${If} $0 != ""
        Delete /REBOOTOK "$0\${PRODUCT}.dll"
    ${EndIf}

    Delete /REBOOTOK "${VST3_FOLDER}\${PRODUCT}.vst3"
    RMDir "${VST3_FOLDER}"
    RMDir "${VST3_BUNDLE}\Contents"
    RMDir "${VST3_BUNDLE}"

    Delete /REBOOTOK "${UNINSTALLER}"
    RMDir /REBOOTOK "${UNINSTALLER_FOLDER}"
    RMDir "${COMPANY_FOLDER}"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "${PRODUCT_KEY}"
    DeleteRegKey /ifempty HKLM "${COMPANY_KEY}"
SectionEnd
