#include "tools/setupdesign/designwrite.h"

#include <cstring>

#include "setup/designfield.h"

namespace {

class CDesignWriter {
public:
    void Short(int nValue) { Bytes2(static_cast<uint16_t>(nValue)); }
    void Dword(uint32_t dwValue) {
        Bytes2(static_cast<uint16_t>(dwValue));
        Bytes2(static_cast<uint16_t>(dwValue >> 16));
    }
    void String(const char* szText) {
        const size_t cch = szText ? strlen(szText) : 0;
        Short(static_cast<int>(cch));
        m_bytes.append(szText ? szText : "", cch);
    }
    void Raw(const void* p, size_t cb) { m_bytes.append(static_cast<const char*>(p), cb); }

    void Fields(const void* pRecord, const DESIGNFIELDS& fields) {
        const char* pBase = static_cast<const char*>(pRecord);
        for (size_t i = 0; i < fields.nFields; ++i) {
            const DESIGNFIELD& field = fields.pFields[i];
            const char* pAt = pBase + field.offset;
            switch (field.kind) {
                case DESIGNFIELD_SHORT:
                    Short(DESIGNFIELD_Get<int16_t>(pRecord, field));
                    break;
                case DESIGNFIELD_LONG:
                case DESIGNFIELD_DWORD:
                    Dword(DESIGNFIELD_Get<uint32_t>(pRecord, field));
                    break;
                case DESIGNFIELD_STRING:
                    String(pAt);
                    break;
                case DESIGNFIELD_RAW:
                    Raw(pAt, field.cb);
                    break;
                case DESIGNFIELD_FONT:
                    Font(DESIGNFIELD_Get<DESIGNFONT>(pRecord, field));
                    break;
                case DESIGNFIELD_MESSAGE:
                    String(DESIGNFIELD_Get<const char*>(pRecord, field));
                    break;
            }
        }
    }

    const std::string& Result() const { return m_bytes; }

private:
    void Bytes2(uint16_t w) {
        m_bytes += static_cast<char>(w & 0xFF);
        m_bytes += static_cast<char>(w >> 8);
    }
    void Font(const DESIGNFONT& font) {
        String(font.lfFaceName);
        Short(font.lfHeight);
        Short(font.lfWeight);
        Short(font.lfItalic);
        Short(font.lfUnderline);
    }

    std::string m_bytes;
};

void WriteThing(CDesignWriter& out, const THING& thing) {
    out.Dword(THING4);
    out.Fields(&thing, THING_FIELDS);
    if (thing.nType == THING_FILE && thing.pFile) {
        out.Dword(FILE4);
        out.Fields(thing.pFile, FILETYPE_FIELDS);
        if (thing.pFile->bIconflag) {
            const ICONSTRUCT none = {};
            out.Dword(ICON4);
            out.Fields(thing.pFile->pIcon ? thing.pFile->pIcon : &none, ICONSTRUCT_FIELDS);
        }
    } else if (thing.nType == THING_DIR && thing.pDir) {
        out.Dword(DIR4);
        out.Fields(thing.pDir, DIR_FIELDS);
    }
}

}  // namespace

std::string DESIGNWRITE_Bytes(const DESIGN& design) {
    CDesignWriter out;
    char szSignature[sizeof(EXE_VERSION)] = {};
    memcpy(szSignature, design.szSignature[0] ? design.szSignature : EXE_VERSION, sizeof(szSignature) - 1);
    out.Raw(szSignature, sizeof(szSignature));

    out.Dword(EXE4);
    out.Fields(&design.exe, EXEOBJ_FIELDS);
    out.String(design.szHookName);

    out.Dword(PATH4);
    out.Short(PATHARR_CountPresent(&design.paths));
    for (int i = 0; i < MAX_PATHS; ++i) {
        const PATHENTRY& entry = design.paths.paths[i];
        if (!entry.fPresent)
            continue;
        out.Short(i);
        out.Short(entry.nNumUsers);
        out.String(entry.szPath);
    }

    out.Dword(design.targets.dwTag);
    out.Short(TARGCOLL_CountPresent(&design.targets));
    out.Short(design.targets.nAddToPATH);
    for (int i = 0; i < MAX_TARGETS; ++i) {
        const TARGET* pTarget = design.targets.targets[i];
        if (!pTarget)
            continue;
        out.Short(i);
        out.Short(pTarget->nNumUsers);
        out.Dword(TARGET4);
        out.Fields(pTarget, TARGET_FIELDS);
    }

    out.Dword(COLLECT4);
    out.Short(COLLECT_CountPresent(&design.collect));
    for (int i = 0; i < MAX_COLLECTIONS; ++i) {
        if (!design.collect.fPresent[i])
            continue;
        out.Short(i);
        out.Dword(COLLOBJ4);
        out.Dword(COLLOBJ_RECORDSIZE);
        out.Fields(&design.collect.collection[i], COLLOBJ_FIELDS);
    }

    out.Dword(DISK4);
    out.Short(DISK_CountPresent(&design.disks));
    out.Dword(static_cast<uint32_t>(design.disks.lMedia));
    for (int i = 0; i < MAX_DISKS; ++i) {
        if (!design.disks.fPresent[i])
            continue;
        out.Short(i);
        out.Dword(DISKOBJ_RECORDSIZE);
        out.Fields(&design.disks.diskarr[i], DISKOBJ_FIELDS);
    }

    // The counts tell the reader how many things follow: they may disagree with the things' types, never with
    // their number.
    THINGCOL head = design.things;
    const int nThings = THINGCOL_CountPresent(&design.things);
    if (head.nNumFiles + head.nNumDirs != nThings) {
        head.nNumDirs = 0;
        for (const THING* pThing : design.things.things)
            head.nNumDirs = static_cast<int16_t>(head.nNumDirs + (pThing && pThing->nType == THING_DIR ? 1 : 0));
        head.nNumFiles = static_cast<int16_t>(nThings - head.nNumDirs);
    }
    out.Dword(THINGCOL4);
    out.Fields(&head, THINGCOL_FIELDS);
    for (int i = 0; i < MAX_THINGS; ++i) {
        if (!design.things.things[i])
            continue;
        out.Short(i);
        WriteThing(out, *design.things.things[i]);
    }

    if (design.exe.bBackDrop) {
        out.Dword(BACKDROP4);
        out.String(design.backdrop.Name);
        out.Dword(design.backdrop.PrivateDataSize);
        if (design.backdrop.lpPrivateData)
            out.Raw(design.backdrop.lpPrivateData, design.backdrop.PrivateDataSize);
    }

    out.Dword(DLGBOXES4);
    out.Fields(&design.boxes, DLGBOXES_FIELDS);
    for (const DLGBOX& box : design.boxes.Boxes)
        out.Fields(&box, DLGBOX_FIELDS);
    return out.Result();
}
