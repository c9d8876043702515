// The setup design: everything one installation does, read once from the binary design file "setup.ini".
//
// The file is a signature and ten sections in a fixed order, little-endian and unpadded (see designread.cpp for
// the reading rules). DESIGN_Open fills one DESIGN context that owns every record; the rest of the engine reads
// it through the accessors at the end of this header, which answer a null record or an index out of range with
// a neutral value (0, an empty text, -1 for thing positions) after a diagnostics report. Portable code.
#pragma once

#include <cstdint>

#include "toolkit/hfile.h"
#include "toolkit/pathname.h"

// ---- Limits and field capacities (a string capacity includes its terminator) ----

const int MAX_PATHS = 50;
const int MAX_TARGETS = 50;
const int MAX_COLLECTIONS = 32;
const int MAX_DISKS = 32;
const int MAX_THINGS = 1000;
const int MAX_PATH_SIZE = 260;
const int MAX_EXEFIELD_SIZE = 128;
const int MAX_EXECAP_SIZE = 128;
const int MAX_TARGET_NAME_SIZE = 64;
const int MAX_TARGET_MESSAGE_SIZE = 2048;
const int DLGBOXES_COUNT = 24;
// Boxes 0 to 13 start centred; the file overrides every box.
const int DLGBOXES_CENTRED = 14;

// The 18 signature bytes: this text and its terminating zero, compared ignoring case.
extern const char EXE_VERSION[18];

// Section and record tags: four ASCII letters, in file order from the least significant byte up.
constexpr uint32_t DESIGN_TAG(char a, char b, char c, char d) {
    return static_cast<uint8_t>(a) | static_cast<uint8_t>(b) << 8 | static_cast<uint8_t>(c) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}
const uint32_t EXE4 = DESIGN_TAG('e', 'x', 'e', '0');
const uint32_t PATH4 = DESIGN_TAG('p', 'a', 't', 'h');
// The targets section's tag is read and never checked; this is the one our compiler writes.
const uint32_t TARGCOLL4 = DESIGN_TAG('t', 'g', 't', 'c');
const uint32_t TARGET4 = DESIGN_TAG('t', 'a', 'r', 'g');
const uint32_t COLLECT4 = DESIGN_TAG('c', 'o', 'l', 'l');
const uint32_t COLLOBJ4 = DESIGN_TAG('c', 'o', 'l', 'o');
const uint32_t DISK4 = DESIGN_TAG('d', 'i', 's', 'k');
const uint32_t THINGCOL4 = DESIGN_TAG('t', 'h', 'g', 'c');
const uint32_t THING4 = DESIGN_TAG('t', 'h', 'n', 'g');
const uint32_t FILE4 = DESIGN_TAG('f', 'i', 'l', 'e');
const uint32_t ICON4 = DESIGN_TAG('i', 'c', 'o', 'n');
const uint32_t DIR4 = DESIGN_TAG('d', 'i', 'r', '0');
const uint32_t BACKDROP4 = DIR4;  // the same four bytes as a directory record
const uint32_t DLGBOXES4 = DESIGN_TAG('d', 'l', 'g', '4');

// ---- Records ----

// The backdrop text's font, as the platform's logical font wants it.
struct DESIGNFONT {
    int32_t lfHeight;
    int32_t lfWidth;
    int32_t lfWeight;
    uint8_t lfItalic;
    uint8_t lfUnderline;
    uint8_t lfCharSet;
    uint8_t lfQuality;
    uint8_t lfPitchAndFamily;
    char lfFaceName[32];
};
const uint8_t DESIGNFONT_PROOF_QUALITY = 2;
const uint8_t DESIGNFONT_FF_SWISS = 0x20;

// The options section.
struct EXEOBJ {
    int16_t nWinMode;
    int16_t nVideo;
    int16_t nCPU;
    int16_t bMathCoPro;
    int16_t bMouse;
    int16_t bWin31;
    int16_t bCompression;
    int16_t bSmallDialogs;
    char szBitMapName[MAX_PATH_SIZE];
    int16_t nBitMapPos;
    char szProgManGroup[MAX_EXEFIELD_SIZE];
    char szCaption[MAX_EXECAP_SIZE];
    char szDlgCaption[MAX_EXECAP_SIZE];
    char szMessageBox[256];
    char szHelpFile[MAX_PATH_SIZE];
    uint8_t szWININILine[25];  // five slots of five bytes, kept as read
    int16_t bDLLHook;
    int16_t bUninstall;
    int16_t bNetwork;
    int16_t bBackDrop;
    int16_t bSETUPTXT;
    int16_t nExitAction;
    int16_t nInstallType;
    int16_t cDriveLetter;
    char szText[MAX_PATH_SIZE];
    int16_t nTextPos;
    char szVendor[MAX_EXEFIELD_SIZE];
    char szVendorAdd[MAX_EXEFIELD_SIZE];
    uint32_t rgbText;
    DESIGNFONT fontText;
    uint32_t rgbGGColor;
    char szSETUPName[MAX_EXEFIELD_SIZE];
    char szProduct[MAX_EXEFIELD_SIZE];
    int16_t fWin32;
    char LogFile[MAX_EXEFIELD_SIZE];
    char UnInstallText[MAX_EXEFIELD_SIZE];
    int16_t fUnInstallIcon;
    uint8_t unused[256];
};

struct PATHENTRY {
    bool fPresent;  // the file listed this slot
    int16_t nNumUsers;
    char szPath[MAX_PATH_SIZE];
};

// The distribution paths by slot.
struct PATHARRAY {
    int16_t nNumber;  // entries as the file counts them
    PATHENTRY paths[MAX_PATHS];
};

enum TARGET_TYPE {
    TARGET_NONE = 0,
    TARGET_PATH = 1,
    TARGET_INCLUDE = 2,
    TARGET_LIB = 3,
    TARGET_WINDOWS = 4,
    TARGET_SYSTEM = 5,
    TARGET_SEARCH = 6,
    TARGET_BASEON = 7,
};

// A destination directory. Owns its message.
struct TARGET {
    int16_t nNumUsers;  // things that go to this target, from the targets section
    char defaultpath[MAX_PATH_SIZE];
    char runtimepath[MAX_PATH_SIZE];
    char szName[MAX_TARGET_NAME_SIZE];
    char szBaseExtension[MAX_PATH_SIZE];
    int16_t nBaseTarget;
    int16_t bModify;
    int16_t bPrompt;
    int16_t nType;
    int32_t lParam;
    char* message;  // never null once read
    int16_t fMustExist;
    int16_t FindCount;
    uint8_t unused[62];
};

// The targets by slot; owns them.
struct TARGCOLL {
    uint32_t dwTag;  // as read
    int16_t nNumber;
    int16_t nAddToPATH;  // negative: none
    TARGET* targets[MAX_TARGETS];
};

// The record sizes that the file states for a collection and a disk: those of the records as the format lays
// them out, two-byte packed.
const uint32_t COLLOBJ_RECORDSIZE = 110;
const uint32_t DISKOBJ_RECORDSIZE = 58;

// A user-selectable component.
struct COLLOBJ {
    uint32_t dwCOLLOBJ;
    int32_t lSize;
    int16_t nNumUsers;
    int16_t nTarget;
    int16_t bPartofMinimum;
    char szName[64];
    uint8_t unused[32];
};
struct DISKOBJ {
    uint32_t dwDISKOBJ;
    int32_t lSize;
    int16_t nNumUsers;
    char szName[31];
    uint8_t unused[16];
};
// A Program Manager item of a file.
struct ICONSTRUCT {
    int16_t nIndex;
    char szName[41];
    char szCmdLine[41];
    char szEXEFile[13];
    char szIconFile[13];
    uint8_t unused[32];
};
static_assert(sizeof(ICONSTRUCT) == 142, "the icon record is 142 bytes in memory");

struct COLLECT {
    int16_t nNumber;
    bool fPresent[MAX_COLLECTIONS];
    COLLOBJ collection[MAX_COLLECTIONS];
};

struct DISK {
    int16_t nNumber;
    int32_t lMedia;  // capacity of one medium in bytes
    bool fPresent[MAX_DISKS];
    DISKOBJ diskarr[MAX_DISKS];
};

// A file to install. Owns its icon record.
struct FILETYPE {
    char szName[13];
    int16_t bIconflag;
    int16_t bAddToLoad;
    int16_t bSpawned;
    int16_t bBackup;
    int32_t lSize;
    int16_t fWin16Binary;
    int16_t fSharedFile;
    int16_t fRegister;
    uint8_t unused[32];
    ICONSTRUCT* pIcon;  // only with bIconflag
};

// A directory copied with all its contents.
struct DIR {
    char szName[MAX_PATH_SIZE];
    int32_t lSize;
};

enum THING_TYPE { THING_FILE = 0, THING_DIR = 1 };

// A file or directory to install. Owns its file or directory record (neither for another type).
struct THING {
    int16_t nType;
    int16_t develdir;
    int16_t distribdir;
    int16_t target;
    int16_t nCollection;
    int16_t nDisk;
    uint8_t unused[32];
    FILETYPE* pFile;
    DIR* pDir;
    int fCopied;  // the result of its copy
};

// The things by position; owns them.
struct THINGCOL {
    int16_t nNumFiles;  // as the file counts them
    int16_t nNumDirs;
    int16_t nReadMe;  // thing positions, -1 = none
    int16_t nRegDataFile;
    int16_t nIgnored;  // a 16-bit field read and not used
    int16_t nWININI;
    uint8_t unused[64];
    THING* things[MAX_THINGS];
    int nFilesCounted;  // as inserted
    int nDirsCounted;
    int32_t lCollectionSize[MAX_COLLECTIONS];  // running totals of the things' sizes
};

// The backdrop plug-in and its private data. Owns the data. The engine hands the record to every entry point of
// the plug-in, which reads the fields up to lpPrivateData in this order and frees nothing.
struct BACKDROP {
    char Name[16];
    MFX_HMODULE hLibrary;  // the loaded plug-in; null when not loaded
    uint32_t PrivateDataSize;
    uint8_t* lpPrivateData;
    bool fPresent;  // the engine's own: the section was read whole
};

// Where a dialog goes: the anchor in per cent of the reference window, and the dialog's own point put on it.
struct DLGBOX {
    int16_t xAnchor;
    int16_t yAnchor;
    int16_t xDialog;
    int16_t yDialog;
    uint8_t unused[8];
};

enum DLGBOX_INDEX {
    DLGBOX_INSTALL_TO = 0,
    DLGBOX_CHOOSE = 1,
    DLGBOX_CUSTOMIZE = 5,
    DLGBOX_PATHS = 6,
    DLGBOX_PROGRESS = 8,
    DLGBOX_OVERWRITE = 9,
    DLGBOX_DISK_PROMPT = 10,
    DLGBOX_PROGMAN = 11,
    DLGBOX_NEWDIR = 13,
};

struct DLGBOXES {
    int16_t fSmallDialogs;
    int16_t fHasBackDrop;
    uint8_t unused[64];
    DLGBOX Boxes[DLGBOXES_COUNT];
};

// The design context: owns every record of one loaded design.
struct DESIGN {
    char szSignature[18];  // as read
    EXEOBJ exe;
    PATHNAME szHookName;  // empty: no hook library
    PATHARRAY paths;
    PATHARRAY develpaths;  // the authoring-time paths: not in the file, stays empty
    TARGCOLL targets;
    COLLECT collect;
    DISK disks;
    THINGCOL things;
    BACKDROP backdrop;
    DLGBOXES boxes;
};

// ---- The design context and loading ----

enum DESIGN_RESULT { DESIGN_BADVERSION = 0, DESIGN_FAILED = 1, DESIGN_LOADED = 2 };

// A context holding the default design; null when memory is short.
DESIGN* DESIGN_Construct();
// Releases every record and the context.
void DESIGN_Destroy(DESIGN* pDesign);
// Releases the loaded design and puts the defaults back.
void DESIGN_Reset(DESIGN* pDesign);
// Loads the design file: DESIGN_BADVERSION when the signature differs, DESIGN_FAILED when the file cannot be
// opened or a section fails (the partly read design stays), DESIGN_LOADED.
int DESIGN_Open(DESIGN* pDesign, const char* szPath);
// Called once a design has loaded, with the design file still open and its platform position right after the
// dialog placement section (where a hook library's own data may follow).
typedef void (*DESIGN_LOADEDFN)(HFILE hFile, void* pUser);
// DESIGN_Open that calls pfnLoaded (when not null) before the file is closed on a successful load.
int DESIGN_OpenWith(DESIGN* pDesign, const char* szPath, DESIGN_LOADEDFN pfnLoaded, void* pUser);

// The section readers, each reading from the file's position into its record.
int EXE_CheckVersion(HFILE hFile, char* szSignature);
int EXE_ReadFromDisk(HFILE hFile, EXEOBJ* pSelf);
int LOGFONT_ReadFromFile(HFILE hFile, DESIGNFONT* pSelf);
int PATHARR_ReadFromDisk(HFILE hFile, PATHARRAY* pSelf);
int TARGCOLL_ReadFromDisk(HFILE hFile, TARGCOLL* pSelf);
TARGET* TARGET_ReadFromDisk(HFILE hFile);
int COLLECT_ReadFromDisk(HFILE hFile, COLLECT* pSelf);
int COLLOBJ_ReadFromDisk(HFILE hFile, COLLOBJ* pSelf);
int DISK_ReadFromDisk(HFILE hFile, DISK* pSelf);
int THINGCOL_ReadFromDisk(HFILE hFile, THINGCOL* pSelf);
THING* THING_ReadFromDisk(HFILE hFile);
FILETYPE* FILE_ReadFromDisk(HFILE hFile);
DIR* DIR_ReadFromDisk(HFILE hFile);
int BACKDROP_ConstructFile(HFILE hFile, BACKDROP* pSelf);
int DLGBOXES_ReadFromFile(HFILE hFile, DLGBOXES* pSelf);

// The default font and the default placement, as the readers start from them.
void LOGFONT_SetDefault(DESIGNFONT* pSelf);
void DLGBOXES_SetDefault(DLGBOXES* pSelf);
// Inserts a thing at its position, releasing one that was there, and counts it; 0 (and the thing released)
// for a position outside 0 to 999.
int THINGCOL_Insert(THINGCOL* pSelf, int nPosition, THING* pThing);
void THING_Destroy(THING* pThing);
void TARGET_Destroy(TARGET* pTarget);

// ---- Accessors: the field, or after a report a neutral value ----

const EXEOBJ* DESIGN_GetOptions(const DESIGN* pDesign);  // a cleared record for a null design
const char* DESIGN_GetHookName(const DESIGN* pDesign);
const char* PATHARR_GetPath(const PATHARRAY* pSelf, int nIndex);
TARGET* TARGCOLL_GetTarget(const TARGCOLL* pSelf, int nIndex);           // null for an empty slot
const COLLOBJ* COLLECT_GetCollection(const COLLECT* pSelf, int nIndex);  // null for an empty slot
const DISKOBJ* DISK_GetDisk(const DISK* pSelf, int nIndex);              // null for an empty slot
THING* THINGCOL_GetThing(const THINGCOL* pSelf, int nPosition);          // null for an empty position
int THINGCOL_GetReadMe(const THINGCOL* pSelf);
int THINGCOL_GetRegDataFile(const THINGCOL* pSelf);
int THINGCOL_GetWinIni(const THINGCOL* pSelf);
int THINGCOL_GetCollectionSize(const THINGCOL* pSelf, int nCollection);
int THING_GetType(const THING* pSelf);  // -1 for a null thing
int THING_GetDistribDir(const THING* pSelf);
int THING_GetTarget(const THING* pSelf);
int THING_GetCollection(const THING* pSelf);
int THING_GetDisk(const THING* pSelf);
int32_t THING_GetSize(const THING* pSelf);  // the file's or the directory's
const char* THING_GetName(const THING* pSelf);
const char* TARGET_GetMessage(const TARGET* pSelf);
// The slots in use.
int PATHARR_CountPresent(const PATHARRAY* pSelf);
int TARGCOLL_CountPresent(const TARGCOLL* pSelf);
int COLLECT_CountPresent(const COLLECT* pSelf);
int DISK_CountPresent(const DISK* pSelf);
int THINGCOL_CountPresent(const THINGCOL* pSelf);
const DLGBOX* DLGBOXES_GetBox(const DLGBOXES* pSelf, int nIndex);  // a centred box after a report
