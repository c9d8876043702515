#include "converter/reelfile.h"

#include <cctype>
#include <cstring>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("REELDOC");

// The type switches report their default case as the literal FALSE.
#ifndef FALSE
#define FALSE 0
#endif

namespace {

struct REELTYPEINFO {
    REELTYPE nType;
    REELTYPE nCounterpart;
    const char* szExtensionText;
    const char* szFilter;
};

const REELTYPEINFO TYPES[] = {
    {REELTYPE_AVI, REELTYPE_AVX, "AVI",
     "Video Streams (*.avx)|*.avx|Video Files (*.avi)|*.avi|Videos (*.avi,*.avx)|*.avi;*.avx|"},
    {REELTYPE_AVX, REELTYPE_AVI, "AVX",
     "Video Files (*.avi)|*.avi|Video Streams (*.avx)|*.avx|Videos (*.avi,*.avx)|*.avi;*.avx|"},
    {REELTYPE_MOV, REELTYPE_QTX, "MOV",
     "Movie Streams (*.qtx)|*.qtx|Movie Files (*.mov,*.qt)|*.mov;*.qt|Movies (*.mov,*.qt,*.qtx)|*.mov;*.qt;*.qtx|"},
    {REELTYPE_QTX, REELTYPE_MOV, "QTX",
     "Movie Files (*.mov,*.qt)|*.mov;*.qt|Movie Streams (*.qtx)|*.qtx|Movies (*.mov,*.qt,*.qtx)|*.mov;*.qt;*.qtx|"},
    {REELTYPE_GIF, REELTYPE_GIF, "GIF", "GIF Animations (*.gif)|*.gif|"},
};

const struct {
    const char* szExtension;
    REELTYPE nType;
} EXTENSIONS[] = {
    {"avi", REELTYPE_AVI}, {"avx", REELTYPE_AVX}, {"mov", REELTYPE_MOV},
    {"qt", REELTYPE_MOV},  {"qtx", REELTYPE_QTX}, {"gif", REELTYPE_GIF},
};

const char ALL_FILES_FILTER[] = "All Files (*.*)|*.*|";

// The type's row; null, with the type switch's report, for an unrecognised type.
const REELTYPEINFO* FindType(REELTYPE nType) {
    for (const REELTYPEINFO& info : TYPES) {
        if (info.nType == nType)
            return &info;
    }
    MFX_VERIFY(FALSE);
    return nullptr;
}

bool IsEqualNoCase(const char* sz1, const char* sz2) {
    for (; *sz1 && *sz2; ++sz1, ++sz2) {
        if (toupper(static_cast<unsigned char>(*sz1)) != toupper(static_cast<unsigned char>(*sz2)))
            return false;
    }
    return *sz1 == *sz2;
}

}  // namespace

REELTYPE REELFILE_GetType(const char* szName) {
    PATHNAME szExtension = "";
    if (!szName || !PATHNAME_GetExtension(szName, szExtension))
        return REELTYPE_NONE;
    for (const auto& extension : EXTENSIONS) {
        if (IsEqualNoCase(szExtension, extension.szExtension))
            return extension.nType;
    }
    return REELTYPE_NONE;
}

REELTYPE REELFILE_GetCounterpart(REELTYPE nType) {
    const REELTYPEINFO* pInfo = FindType(nType);
    return pInfo ? pInfo->nCounterpart : REELTYPE_NONE;
}

const char* REELFILE_GetExtensionText(REELTYPE nType) {
    const REELTYPEINFO* pInfo = FindType(nType);
    return pInfo ? pInfo->szExtensionText : "";
}

const char* REELFILE_GetSaveFilter(REELTYPE nType) {
    const REELTYPEINFO* pInfo = FindType(nType);
    return pInfo ? pInfo->szFilter : ALL_FILES_FILTER;
}

int REELFILE_GetMovieName(const char* szPath, char* szOut) {
    MFX_PRE(szPath && szOut);
    szOut[0] = '\0';
    const REELTYPE nType = REELFILE_GetType(szPath);
    switch (nType) {
        case REELTYPE_AVI:
        case REELTYPE_MOV:
            return PATHNAME_Assign(szOut, szPath);
        case REELTYPE_AVX:
        case REELTYPE_QTX: {
            PATHNAME szCounterpart = "";
            PATHNAME_GetJustName(szPath, szCounterpart);
            MFX_PRE(
                PATHNAME_ReplaceExtension(szCounterpart, REELFILE_GetExtensionText(REELFILE_GetCounterpart(nType))));
            MFX_PRE(strlen(szPath) + 1 + strlen(szCounterpart) <= MAX_PATHNAME);
            strcpy(szOut, szPath);
            strcat(szOut, "+");
            strcat(szOut, szCounterpart);
            return 1;
        }
        default:
            MFX_VERIFY(0);
            return 0;
    }
}

int REELFILE_GetSaveAsName(const char* szPath, char* szOut) {
    MFX_PRE(szPath && szOut);
    PATHNAME_GetJustName(szPath, szOut);
    const REELTYPE nCounterpart = REELFILE_GetCounterpart(REELFILE_GetType(szPath));
    return PATHNAME_ReplaceExtension(szOut, REELFILE_GetExtensionText(nCounterpart));
}

REELSAVE REELFILE_GetSaveAction(const char* szSource, const char* szDestination) {
    const REELTYPE nFrom = REELFILE_GetType(szSource);
    const REELTYPE nTo = REELFILE_GetType(szDestination);
    if (nFrom == nTo)
        return PATHNAME_IsSameName(szSource, szDestination) ? REELSAVE_SAMENAME : REELSAVE_COPY;
    if ((nFrom == REELTYPE_AVI && nTo == REELTYPE_AVX) || (nFrom == REELTYPE_MOV && nTo == REELTYPE_QTX))
        return REELSAVE_NOCONVERSION;
    if ((nFrom == REELTYPE_AVX && nTo == REELTYPE_AVI) || (nFrom == REELTYPE_QTX && nTo == REELTYPE_MOV))
        return REELSAVE_NOTIMPLEMENTED;
    return REELSAVE_UNSUPPORTED;
}

const char* REELFILE_GetSaveMessage(REELSAVE nAction) {
    switch (nAction) {
        case REELSAVE_SAMENAME:
            return "Cannot save a copy of the file under the same name.";
        case REELSAVE_NOTIMPLEMENTED:
            return "Not Implemented Yet";
        case REELSAVE_UNSUPPORTED:
            return "Reelway Pro cannot save the movie in this format!";
        default:
            return nullptr;
    }
}
