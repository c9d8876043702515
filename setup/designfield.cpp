#include "setup/designfield.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "setup/design.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("DESIGN");

#define FIELD(kind, TYPE, member, key) \
    { DESIGNFIELD_##kind, offsetof(TYPE, member), sizeof(TYPE::member), #member, key }
#define TABLE(name, table) const DESIGNFIELDS name = {table, sizeof(table) / sizeof(table[0])}

namespace {

const DESIGNFIELD s_exeobj[] = {
    FIELD(SHORT, EXEOBJ, nWinMode, "WinMode"),
    FIELD(SHORT, EXEOBJ, nVideo, "Video"),
    FIELD(SHORT, EXEOBJ, nCPU, "CPU"),
    FIELD(SHORT, EXEOBJ, bMathCoPro, "MathCoPro"),
    FIELD(SHORT, EXEOBJ, bMouse, "Mouse"),
    FIELD(SHORT, EXEOBJ, bWin31, "Win31"),
    FIELD(SHORT, EXEOBJ, bCompression, "Compression"),
    FIELD(SHORT, EXEOBJ, bSmallDialogs, "SmallDialogs"),
    FIELD(STRING, EXEOBJ, szBitMapName, "BitMapName"),
    FIELD(SHORT, EXEOBJ, nBitMapPos, "BitMapPos"),
    FIELD(STRING, EXEOBJ, szProgManGroup, "ProgManGroup"),
    FIELD(STRING, EXEOBJ, szCaption, "Caption"),
    FIELD(STRING, EXEOBJ, szDlgCaption, "DlgCaption"),
    FIELD(STRING, EXEOBJ, szMessageBox, "MessageBox"),
    FIELD(STRING, EXEOBJ, szHelpFile, "HelpFile"),
    FIELD(RAW, EXEOBJ, szWININILine, "WININILine"),
    FIELD(SHORT, EXEOBJ, bDLLHook, "DLLHook"),
    FIELD(SHORT, EXEOBJ, bUninstall, "Uninstall"),
    FIELD(SHORT, EXEOBJ, bNetwork, "Network"),
    FIELD(SHORT, EXEOBJ, bBackDrop, "BackDrop"),
    FIELD(SHORT, EXEOBJ, bSETUPTXT, "SETUPTXT"),
    FIELD(SHORT, EXEOBJ, nExitAction, "ExitAction"),
    FIELD(SHORT, EXEOBJ, nInstallType, "InstallType"),
    FIELD(SHORT, EXEOBJ, cDriveLetter, "DriveLetter"),
    FIELD(STRING, EXEOBJ, szText, "Text"),
    FIELD(SHORT, EXEOBJ, nTextPos, "TextPos"),
    FIELD(STRING, EXEOBJ, szVendor, "Vendor"),
    FIELD(STRING, EXEOBJ, szVendorAdd, "VendorAdd"),
    FIELD(DWORD, EXEOBJ, rgbText, "TextColor"),
    FIELD(FONT, EXEOBJ, fontText, "Font"),
    FIELD(DWORD, EXEOBJ, rgbGGColor, "GaugeColor"),
    FIELD(STRING, EXEOBJ, szSETUPName, "SETUPName"),
    FIELD(STRING, EXEOBJ, szProduct, "Product"),
    FIELD(SHORT, EXEOBJ, fWin32, "Win32"),
    FIELD(STRING, EXEOBJ, LogFile, "LogFile"),
    FIELD(STRING, EXEOBJ, UnInstallText, "UnInstallText"),
    FIELD(SHORT, EXEOBJ, fUnInstallIcon, "UnInstallIcon"),
    FIELD(RAW, EXEOBJ, unused, "Unused"),
};

const DESIGNFIELD s_target[] = {
    FIELD(STRING, TARGET, defaultpath, "DefaultPath"),
    FIELD(STRING, TARGET, runtimepath, "RuntimePath"),
    FIELD(STRING, TARGET, szName, "Name"),
    FIELD(STRING, TARGET, szBaseExtension, "BaseExtension"),
    FIELD(SHORT, TARGET, nBaseTarget, "BaseTarget"),
    FIELD(SHORT, TARGET, bModify, "Modify"),
    FIELD(SHORT, TARGET, bPrompt, "Prompt"),
    FIELD(SHORT, TARGET, nType, "Type"),
    FIELD(LONG, TARGET, lParam, "Param"),
    {DESIGNFIELD_MESSAGE, offsetof(TARGET, message), MAX_TARGET_MESSAGE_SIZE, "message", "Message"},
    FIELD(SHORT, TARGET, fMustExist, "MustExist"),
    FIELD(SHORT, TARGET, FindCount, "FindCount"),
    FIELD(RAW, TARGET, unused, "Unused"),
};

const DESIGNFIELD s_collobj[] = {
    FIELD(LONG, COLLOBJ, lSize, "Size"),      FIELD(SHORT, COLLOBJ, nNumUsers, "NumUsers"),
    FIELD(SHORT, COLLOBJ, nTarget, "Target"), FIELD(SHORT, COLLOBJ, bPartofMinimum, "PartofMinimum"),
    FIELD(STRING, COLLOBJ, szName, "Name"),   FIELD(RAW, COLLOBJ, unused, "Unused"),
};

const DESIGNFIELD s_diskobj[] = {
    FIELD(LONG, DISKOBJ, lSize, "Size"),
    FIELD(SHORT, DISKOBJ, nNumUsers, "NumUsers"),
    FIELD(STRING, DISKOBJ, szName, "Name"),
    FIELD(RAW, DISKOBJ, unused, "Unused"),
};

const DESIGNFIELD s_thingcol[] = {
    FIELD(SHORT, THINGCOL, nNumFiles, "NumFiles"), FIELD(SHORT, THINGCOL, nNumDirs, "NumDirs"),
    FIELD(SHORT, THINGCOL, nReadMe, "ReadMe"),     FIELD(SHORT, THINGCOL, nRegDataFile, "RegDataFile"),
    FIELD(SHORT, THINGCOL, nIgnored, "Ignored"),   FIELD(SHORT, THINGCOL, nWININI, "WININI"),
    FIELD(RAW, THINGCOL, unused, "Unused"),
};

const DESIGNFIELD s_thing[] = {
    FIELD(SHORT, THING, nType, "Type"),
    FIELD(SHORT, THING, develdir, "DevelDir"),
    FIELD(SHORT, THING, distribdir, "DistribDir"),
    FIELD(SHORT, THING, target, "Target"),
    FIELD(SHORT, THING, nCollection, "Collection"),
    FIELD(SHORT, THING, nDisk, "Disk"),
    FIELD(RAW, THING, unused, "Unused"),
};

const DESIGNFIELD s_filetype[] = {
    FIELD(STRING, FILETYPE, szName, "Name"),
    FIELD(SHORT, FILETYPE, bIconflag, "Iconflag"),
    FIELD(SHORT, FILETYPE, bAddToLoad, "AddToLoad"),
    FIELD(SHORT, FILETYPE, bSpawned, "Spawned"),
    FIELD(SHORT, FILETYPE, bBackup, "Backup"),
    FIELD(LONG, FILETYPE, lSize, "Size"),
    FIELD(SHORT, FILETYPE, fWin16Binary, "Win16Binary"),
    FIELD(SHORT, FILETYPE, fSharedFile, "SharedFile"),
    FIELD(SHORT, FILETYPE, fRegister, "Register"),
    FIELD(RAW, FILETYPE, unused, "FileUnused"),
};

const DESIGNFIELD s_iconstruct[] = {
    FIELD(SHORT, ICONSTRUCT, nIndex, "IconIndex"),       FIELD(STRING, ICONSTRUCT, szName, "IconName"),
    FIELD(STRING, ICONSTRUCT, szCmdLine, "IconCmdLine"), FIELD(STRING, ICONSTRUCT, szEXEFile, "IconEXEFile"),
    FIELD(STRING, ICONSTRUCT, szIconFile, "IconFile"),   FIELD(RAW, ICONSTRUCT, unused, "IconUnused"),
};

const DESIGNFIELD s_dir[] = {
    FIELD(STRING, DIR, szName, "Name"),
    FIELD(LONG, DIR, lSize, "Size"),
};

const DESIGNFIELD s_dlgboxes[] = {
    FIELD(SHORT, DLGBOXES, fSmallDialogs, "SmallDialogs"),
    FIELD(SHORT, DLGBOXES, fHasBackDrop, "HasBackDrop"),
    FIELD(RAW, DLGBOXES, unused, "Unused"),
};

const DESIGNFIELD s_dlgbox[] = {
    FIELD(SHORT, DLGBOX, xAnchor, "AnchorX"), FIELD(SHORT, DLGBOX, yAnchor, "AnchorY"),
    FIELD(SHORT, DLGBOX, xDialog, "DialogX"), FIELD(SHORT, DLGBOX, yDialog, "DialogY"),
    FIELD(RAW, DLGBOX, unused, "Unused"),
};

// Reports a failed read the way a check written at the read would quote it.
int ReportRead(const char* szRead, const char* szArguments, const char* szMember) {
    char szExpression[160];
    snprintf(szExpression, sizeof(szExpression), szArguments, szRead, szMember, szMember);
    MFX_ReportFailure(MFX_CHECK_PRE, s_szMfxSourceModule, __LINE__, szExpression);
    return 0;
}

int ReadMessage(HFILE hFile, char** pszMessage, uint32_t cbCapacity) {
    char szMessage[MAX_TARGET_MESSAGE_SIZE];
    if (!HFILE_ReadString(hFile, szMessage, cbCapacity))
        return ReportRead("HFILE_ReadString", "%s(hFile,szMessage,sizeof(szMessage))", "");
    const size_t cb = strlen(szMessage) + 1;
    char* szCopy = new (std::nothrow) char[cb];
    MFX_PRE(szCopy);
    memcpy(szCopy, szMessage, cb);
    delete[] * pszMessage;
    *pszMessage = szCopy;
    return 1;
}

}  // namespace

TABLE(EXEOBJ_FIELDS, s_exeobj);
TABLE(TARGET_FIELDS, s_target);
TABLE(COLLOBJ_FIELDS, s_collobj);
TABLE(DISKOBJ_FIELDS, s_diskobj);
TABLE(THINGCOL_FIELDS, s_thingcol);
TABLE(THING_FIELDS, s_thing);
TABLE(FILETYPE_FIELDS, s_filetype);
TABLE(ICONSTRUCT_FIELDS, s_iconstruct);
TABLE(DIR_FIELDS, s_dir);
TABLE(DLGBOXES_FIELDS, s_dlgboxes);
TABLE(DLGBOX_FIELDS, s_dlgbox);

int DESIGNFIELD_Read(HFILE hFile, void* pRecord, const DESIGNFIELDS& fields) {
    char* pBase = static_cast<char*>(pRecord);
    for (size_t i = 0; i < fields.nFields; ++i) {
        const DESIGNFIELD& field = fields.pFields[i];
        void* pAt = pBase + field.offset;
        switch (field.kind) {
            case DESIGNFIELD_SHORT: {
                int16_t nValue = 0;
                if (!HFILE_ReadShort(hFile, &nValue))
                    return ReportRead("HFILE_ReadShort", "%s(hFile,&pSelf->%s)", field.szMember);
                DESIGNFIELD_Set(pRecord, field, nValue);
                break;
            }
            case DESIGNFIELD_LONG: {
                int32_t lValue = 0;
                if (!HFILE_ReadLONG(hFile, &lValue))
                    return ReportRead("HFILE_ReadLONG", "%s(hFile,&pSelf->%s)", field.szMember);
                DESIGNFIELD_Set(pRecord, field, lValue);
                break;
            }
            case DESIGNFIELD_DWORD: {
                uint32_t dwValue = 0;
                if (!HFILE_ReadDWORD(hFile, &dwValue))
                    return ReportRead("HFILE_ReadDWORD", "%s(hFile,&pSelf->%s)", field.szMember);
                DESIGNFIELD_Set(pRecord, field, dwValue);
                break;
            }
            case DESIGNFIELD_STRING:
                if (!HFILE_ReadString(hFile, static_cast<char*>(pAt), field.cb))
                    return ReportRead("HFILE_ReadString", "%s(hFile,pSelf->%s,sizeof(pSelf->%s))", field.szMember);
                break;
            case DESIGNFIELD_RAW:
                if (!HFILE_Read(hFile, pAt, field.cb))
                    return ReportRead("HFILE_Read", "%s(hFile,pSelf->%s,sizeof(pSelf->%s))", field.szMember);
                break;
            case DESIGNFIELD_FONT:
                if (!LOGFONT_ReadFromFile(hFile, static_cast<DESIGNFONT*>(pAt)))
                    return ReportRead("LOGFONT_ReadFromFile", "%s(hFile,&pSelf->%s)", field.szMember);
                break;
            case DESIGNFIELD_MESSAGE:
                if (!ReadMessage(hFile, static_cast<char**>(pAt), field.cb))
                    return 0;
                break;
        }
    }
    return 1;
}
