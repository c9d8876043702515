#include <cstring>
#include <vector>

#include "setup/designfield.h"
#include "tools/setupdesign/designdefault.h"
#include "tools/setupdesign/designtext.h"
#include "tools/setupdesign/designvalue.h"

namespace {

class CFormatter {
public:
    CFormatter(const DESIGN& design, bool fAll) : m_design(design), m_fAll(fAll) {}

    std::string Format() {
        const DESIGN& design = m_design;
        Section("Setup");
        if (memcmp(design.szSignature, EXE_VERSION, sizeof(EXE_VERSION)) != 0 || m_fAll)
            Key("Signature", DESIGNVALUE_QuoteText(design.szSignature[0] ? design.szSignature : EXE_VERSION), "");
        Key("HookLibrary", DESIGNVALUE_QuoteText(design.szHookName), "");
        EXEOBJ exeDefault = {};
        exeDefault.cDriveLetter = 'a';
        exeDefault.bBackDrop = design.exe.bBackDrop ? 1 : 0;
        Fields(EXEOBJ_FIELDS, &design.exe, &exeDefault);
        DESIGNFONT fontDefault;
        LOGFONT_SetDefault(&fontDefault);
        const DESIGNFONT& font = design.exe.fontText;
        Key("FontFace", DESIGNVALUE_QuoteText(font.lfFaceName), fontDefault.lfFaceName);
        Key("FontHeight", std::to_string(font.lfHeight), std::to_string(fontDefault.lfHeight));
        Key("FontWeight", std::to_string(font.lfWeight), std::to_string(fontDefault.lfWeight));
        Key("FontItalic", std::to_string(font.lfItalic), "0");
        Key("FontUnderline", std::to_string(font.lfUnderline), "0");

        for (int i = 0; i < MAX_PATHS; ++i) {
            const PATHENTRY& entry = design.paths.paths[i];
            if (!entry.fPresent)
                continue;
            Section("Path " + std::to_string(i));
            Key("Path", DESIGNVALUE_QuoteText(entry.szPath), "");
            Key("NumUsers", std::to_string(entry.nNumUsers), std::to_string(DESIGNDEFAULT_PathUsers(design, i)));
        }

        Section("Targets", true);
        const uint32_t dwTag = design.targets.dwTag;
        Key("Tag",
            DESIGNVALUE_QuoteText(std::string{static_cast<char>(dwTag), static_cast<char>(dwTag >> 8),
                                              static_cast<char>(dwTag >> 16), static_cast<char>(dwTag >> 24)}),
            "tgtc");
        Key("AddToPATH", std::to_string(design.targets.nAddToPATH), "-1");
        for (int i = 0; i < MAX_TARGETS; ++i) {
            const TARGET* pTarget = design.targets.targets[i];
            if (!pTarget)
                continue;
            Section("Target " + std::to_string(i));
            TARGET targetDefault = {};
            DESIGNDEFAULT_Target(design, i, *pTarget, &targetDefault);
            Key("NumUsers", std::to_string(pTarget->nNumUsers), std::to_string(targetDefault.nNumUsers));
            Fields(TARGET_FIELDS, pTarget, &targetDefault);
        }

        for (int i = 0; i < MAX_COLLECTIONS; ++i) {
            if (!design.collect.fPresent[i])
                continue;
            Section("Collection " + std::to_string(i));
            COLLOBJ collDefault = {};
            DESIGNDEFAULT_Collection(design, i, &collDefault);
            Fields(COLLOBJ_FIELDS, &design.collect.collection[i], &collDefault);
        }

        Section("Disks", true);
        Key("Media", std::to_string(design.disks.lMedia), "0");
        for (int i = 0; i < MAX_DISKS; ++i) {
            if (!design.disks.fPresent[i])
                continue;
            Section("Disk " + std::to_string(i));
            DISKOBJ diskDefault = {};
            DESIGNDEFAULT_Disk(design, i, &diskDefault);
            Fields(DISKOBJ_FIELDS, &design.disks.diskarr[i], &diskDefault);
        }

        Section("Things", true);
        THINGCOL thingsDefault = {};
        DESIGNDEFAULT_Things(design, &thingsDefault);
        Fields(THINGCOL_FIELDS, &design.things, &thingsDefault);
        for (int i = 0; i < MAX_THINGS; ++i) {
            if (design.things.things[i])
                Thing(i, *design.things.things[i]);
        }

        if (design.exe.bBackDrop) {
            Section("Backdrop");
            Key("Name", DESIGNVALUE_QuoteText(design.backdrop.Name), "");
            // Every byte counts in the data's size, zeros at the end too.
            Key("Data",
                design.backdrop.lpPrivateData ? DESIGNVALUE_FormatHex(design.backdrop.lpPrivateData, design.backdrop.PrivateDataSize, true) : "",
                "");
        }

        Section("Dialogs", true);
        const DLGBOXES boxesDefault = {};
        Fields(DLGBOXES_FIELDS, &design.boxes, &boxesDefault);
        for (int i = 0; i < DLGBOXES_COUNT; ++i) {
            const DLGBOX& box = design.boxes.Boxes[i];
            const std::string name = "Box" + std::to_string(i);
            Key(name,
                std::to_string(box.xAnchor) + ", " + std::to_string(box.yAnchor) + ", " + std::to_string(box.xDialog) +
                    ", " + std::to_string(box.yDialog),
                "50, 50, 50, 50");
            Key(name + "Unused", DESIGNVALUE_FormatHex(box.unused, sizeof(box.unused)), "");
        }
        Flush();
        return m_text;
    }

private:
    // A section is written with its header; one marked optional only when it has a key to show.
    void Section(const std::string& name, bool fOptional = false) {
        Flush();
        m_lines.push_back("[" + name + "]");
        m_fOptional = fOptional && !m_fAll;
    }

    void Flush() {
        if (m_lines.empty() || (m_fOptional && m_lines.size() == 1)) {
            m_lines.clear();
            return;
        }
        if (!m_text.empty())
            m_text += "\n";
        for (const std::string& line : m_lines)
            m_text += line + "\n";
        m_lines.clear();
    }

    void Key(const std::string& key, const std::string& value, const std::string& defaultValue) {
        if (m_fAll || value != defaultValue)
            m_lines.push_back(key + " = " + value);
    }

    void Fields(const DESIGNFIELDS& fields, const void* pRecord, const void* pDefault) {
        for (size_t i = 0; i < fields.nFields; ++i) {
            const DESIGNFIELD& field = fields.pFields[i];
            if (field.kind != DESIGNFIELD_FONT)
                Key(field.szKey, DESIGNVALUE_FormatField(fields, field, pRecord),
                    DESIGNVALUE_FormatField(fields, field, pDefault));
        }
    }

    void Thing(int i, const THING& thing) {
        Section("Thing " + std::to_string(i));
        THING thingDefault = {};
        thingDefault.target = 1;
        Fields(THING_FIELDS, &thing, &thingDefault);
        if (thing.pFile) {
            FILETYPE fileDefault = {};
            // An icon record of zeros is written by its flag alone.
            const ICONSTRUCT iconDefault = {};
            const bool fIconKeys = thing.pFile->pIcon && memcmp(thing.pFile->pIcon, &iconDefault, sizeof(iconDefault));
            fileDefault.bIconflag = fIconKeys ? 1 : 0;
            Fields(FILETYPE_FIELDS, thing.pFile, &fileDefault);
            if (thing.pFile->pIcon)
                Fields(ICONSTRUCT_FIELDS, thing.pFile->pIcon, &iconDefault);
        } else if (thing.pDir) {
            const DIR dirDefault = {};
            Fields(DIR_FIELDS, thing.pDir, &dirDefault);
        }
    }

    const DESIGN& m_design;
    bool m_fAll;
    bool m_fOptional = false;
    std::vector<std::string> m_lines;
    std::string m_text;
};

}  // namespace

std::string DESIGNTEXT_Format(const DESIGN& design, bool fAll) {
    return CFormatter(design, fAll).Format();
}
