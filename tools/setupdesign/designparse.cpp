#include <cstring>
#include <functional>
#include <set>
#include <vector>

#include "setup/designfield.h"
#include "tools/setupdesign/designdefault.h"
#include "tools/setupdesign/designtext.h"
#include "tools/setupdesign/designvalue.h"

namespace {

struct KEYLINE {
    int nLine;
    std::string key;
    std::string value;
};

struct SECTION {
    int nLine;
    DESIGNSECTION_KIND kind;
    int nIndex;
    std::vector<KEYLINE> keys;
};

struct RECORDS {
    const DESIGNFIELDS* pFields;
    void* pRecord;
};

class CParser {
public:
    CParser(DESIGN* pDesign, std::string* pError) : m_pDesign(pDesign), m_pError(pError) {}

    bool Parse(const std::string& text) {
        DESIGNDEFAULT_SetText(m_pDesign);
        return Split(text) && Build();
    }

private:
    bool Fail(int nLine, const std::string& message) {
        *m_pError = std::to_string(nLine) + ": " + message;
        return false;
    }
    // The failure of a special key.
    int Refuse(int nLine, const std::string& message) {
        Fail(nLine, message);
        return -1;
    }

    bool Split(const std::string& text) {
        std::set<std::pair<int, int>> seen;
        int nLine = 0;
        size_t at = 0;
        while (at < text.size()) {
            size_t end = text.find('\n', at);
            if (end == std::string::npos)
                end = text.size();
            std::string line = text.substr(at, end - at);
            at = end + 1;
            ++nLine;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            line = DESIGNVALUE_Trim(line);
            if (line.empty() || line[0] == ';' || line[0] == '#')
                continue;
            if (line[0] == '[') {
                SECTION section;
                if (!ParseHeader(nLine, line, &section))
                    return false;
                if (!seen.insert({section.kind, section.nIndex}).second)
                    return Fail(nLine, "section " + line + " given twice");
                m_sections.push_back(section);
                continue;
            }
            const size_t equals = line.find('=');
            if (equals == std::string::npos)
                return Fail(nLine, "expected a [section] or key = value");
            if (m_sections.empty())
                return Fail(nLine, "key before the first [section]");
            const std::string key = DESIGNVALUE_Trim(line.substr(0, equals));
            for (const KEYLINE& keyline : m_sections.back().keys) {
                if (DESIGNVALUE_SameIgnoringCase(keyline.key, key.c_str()))
                    return Fail(nLine, "key " + key + " given twice in its section");
            }
            m_sections.back().keys.push_back({nLine, key, DESIGNVALUE_Trim(line.substr(equals + 1))});
        }
        return true;
    }

    bool ParseHeader(int nLine, const std::string& line, SECTION* pSection) {
        if (line.back() != ']')
            return Fail(nLine, "section header without its closing bracket");
        const std::string inner = DESIGNVALUE_Trim(line.substr(1, line.size() - 2));
        const size_t space = inner.find_first_of(" \t");
        const std::string name = inner.substr(0, space);
        const std::string index = space == std::string::npos ? "" : DESIGNVALUE_Trim(inner.substr(space));
        for (int kind = 0; kind < DESIGNSECTION_COUNT; ++kind) {
            if (!DESIGNVALUE_SameIgnoringCase(name, DESIGNSECTION_KINDS[kind].szName))
                continue;
            *pSection = SECTION{nLine, static_cast<DESIGNSECTION_KIND>(kind), -1, {}};
            if (DESIGNSECTION_KINDS[kind].nSlots == 0)
                return index.empty() ? true : Fail(nLine, "section [" + name + "] takes no number");
            long long ll = 0;
            if (!DESIGNVALUE_ParseNumber(index, 0, DESIGNSECTION_KINDS[kind].nSlots - 1, &ll))
                return Fail(nLine, "section [" + name + " N] needs N from 0 to " +
                                       std::to_string(DESIGNSECTION_KINDS[kind].nSlots - 1));
            pSection->nIndex = static_cast<int>(ll);
            return true;
        }
        return Fail(nLine, "unknown section [" + inner + "]");
    }

    // Applies every key of the section to the first table that names it; the special keys go first.
    bool ApplyKeys(const SECTION& section,
                   std::initializer_list<RECORDS> records,
                   const std::function<int(const KEYLINE&)>& special = nullptr) {
        for (const KEYLINE& keyline : section.keys) {
            if (special) {
                const int nSpecial = special(keyline);
                if (nSpecial < 0)
                    return false;
                if (nSpecial > 0)
                    continue;
            }
            bool fFound = false;
            for (const RECORDS& record : records) {
                for (size_t i = 0; i < record.pFields->nFields && !fFound; ++i) {
                    const DESIGNFIELD& field = record.pFields->pFields[i];
                    if (field.kind == DESIGNFIELD_FONT || !DESIGNVALUE_SameIgnoringCase(keyline.key, field.szKey))
                        continue;
                    fFound = true;
                    std::string error;
                    if (!DESIGNVALUE_ApplyField(*record.pFields, field, record.pRecord, keyline.value, &error))
                        return Fail(keyline.nLine, keyline.key + ": " + error);
                }
            }
            if (!fFound)
                return Fail(keyline.nLine, "unknown key " + keyline.key + " in [" + SectionName(section) + "]");
            m_given.insert({&section, DESIGNVALUE_Lower(keyline.key)});
        }
        return true;
    }

    bool Given(const SECTION& section, const char* szKey) const {
        return m_given.count({&section, DESIGNVALUE_Lower(szKey)}) > 0;
    }

    const KEYLINE* FindKey(const SECTION& section, const char* szKey) const {
        for (const KEYLINE& keyline : section.keys) {
            if (DESIGNVALUE_SameIgnoringCase(keyline.key, szKey))
                return &keyline;
        }
        return nullptr;
    }

    static std::string SectionName(const SECTION& section) {
        const std::string name = DESIGNSECTION_KINDS[section.kind].szName;
        return section.nIndex < 0 ? name : name + " " + std::to_string(section.nIndex);
    }

    int SetupKey(const KEYLINE& keyline) {
        EXEOBJ& exe = m_pDesign->exe;
        std::string text, error;
        long long ll = 0;
        if (DESIGNVALUE_SameIgnoringCase(keyline.key, "Signature")) {
            if (!DESIGNVALUE_ParseText(keyline.value, &text, &error) || text.size() != sizeof(EXE_VERSION) - 1 ||
                !DESIGNVALUE_SameIgnoringCase(text, EXE_VERSION))
                return Refuse(keyline.nLine, "Signature: the engine reads only \"" + std::string(EXE_VERSION) +
                                                 "\", in any letter case");
            memcpy(m_pDesign->szSignature, text.c_str(), sizeof(EXE_VERSION));
            return 1;
        }
        if (DESIGNVALUE_SameIgnoringCase(keyline.key, "HookLibrary")) {
            if (!DESIGNVALUE_ParseText(keyline.value, &text, &error))
                return Refuse(keyline.nLine, "HookLibrary: " + error);
            if (text.size() > MAX_PATHNAME)
                return Refuse(keyline.nLine, "HookLibrary: text longer than 260 characters");
            memcpy(m_pDesign->szHookName, text.c_str(), text.size() + 1);
            return 1;
        }
        if (DESIGNVALUE_SameIgnoringCase(keyline.key, "FontFace")) {
            if (!DESIGNVALUE_ParseText(keyline.value, &text, &error) ||
                text.size() > sizeof(exe.fontText.lfFaceName) - 1)
                return Refuse(keyline.nLine, "FontFace: " + (error.empty() ? "text longer than 31 characters" : error));
            memcpy(exe.fontText.lfFaceName, text.c_str(), text.size() + 1);
            return 1;
        }
        const struct {
            const char* szKey;
            long long llMin, llMax;
        } fontNumbers[] = {{"FontHeight", INT16_MIN, INT16_MAX},
                           {"FontWeight", 0, UINT16_MAX},
                           {"FontItalic", 0, UINT8_MAX},
                           {"FontUnderline", 0, UINT8_MAX}};
        for (size_t i = 0; i < 4; ++i) {
            if (!DESIGNVALUE_SameIgnoringCase(keyline.key, fontNumbers[i].szKey))
                continue;
            if (!DESIGNVALUE_ParseNumber(keyline.value, fontNumbers[i].llMin, fontNumbers[i].llMax, &ll))
                return Refuse(keyline.nLine, keyline.key + ": value out of range (" +
                                                 std::to_string(fontNumbers[i].llMin) + " to " +
                                                 std::to_string(fontNumbers[i].llMax) + ")");
            if (i == 0)
                exe.fontText.lfHeight = static_cast<int32_t>(ll);
            else if (i == 1)
                exe.fontText.lfWeight = static_cast<int32_t>(ll);
            else if (i == 2)
                exe.fontText.lfItalic = static_cast<uint8_t>(ll);
            else
                exe.fontText.lfUnderline = static_cast<uint8_t>(ll);
            return 1;
        }
        return 0;
    }

    bool Build() {
        const SECTION* pBackdrop = nullptr;
        const SECTION* pSetup = nullptr;
        const SECTION* pThingsHead = nullptr;
        for (const SECTION& section : m_sections) {
            DESIGN& design = *m_pDesign;
            const int i = section.nIndex;
            switch (section.kind) {
                case DESIGNSECTION_SETUP:
                    pSetup = &section;
                    if (!ApplyKeys(section, {{&EXEOBJ_FIELDS, &design.exe}},
                                   [this](const KEYLINE& k) { return SetupKey(k); }))
                        return false;
                    break;
                case DESIGNSECTION_PATH:
                    if (!BuildPath(section))
                        return false;
                    break;
                case DESIGNSECTION_TARGETS:
                    if (!ApplyKeys(section, {}, [this](const KEYLINE& k) { return TargetsKey(k); }))
                        return false;
                    break;
                case DESIGNSECTION_TARGET:
                    design.targets.targets[i] = new TARGET{};
                    if (!ApplyKeys(section, {{&TARGET_FIELDS, design.targets.targets[i]}},
                                   [this, &section](const KEYLINE& k) { return NumUsersKey(section, k); }))
                        return false;
                    break;
                case DESIGNSECTION_COLLECTION:
                    design.collect.fPresent[i] = true;
                    design.collect.collection[i].dwCOLLOBJ = COLLOBJ_RECORDSIZE;
                    design.collect.collection[i].nTarget = 1;
                    if (!ApplyKeys(section, {{&COLLOBJ_FIELDS, &design.collect.collection[i]}}))
                        return false;
                    break;
                case DESIGNSECTION_DISKS:
                    if (!ApplyKeys(section, {}, [this](const KEYLINE& k) { return DisksKey(k); }))
                        return false;
                    break;
                case DESIGNSECTION_DISK:
                    design.disks.fPresent[i] = true;
                    design.disks.diskarr[i].dwDISKOBJ = DISKOBJ_RECORDSIZE;
                    if (!ApplyKeys(section, {{&DISKOBJ_FIELDS, &design.disks.diskarr[i]}}))
                        return false;
                    break;
                case DESIGNSECTION_THINGS:
                    pThingsHead = &section;
                    if (!ApplyKeys(section, {{&THINGCOL_FIELDS, &design.things}}))
                        return false;
                    break;
                case DESIGNSECTION_THING:
                    if (!BuildThing(section))
                        return false;
                    break;
                case DESIGNSECTION_BACKDROP:
                    pBackdrop = &section;
                    if (!ApplyKeys(section, {}, [this](const KEYLINE& k) { return BackdropKey(k); }))
                        return false;
                    break;
                case DESIGNSECTION_DIALOGS:
                    if (!ApplyKeys(section, {{&DLGBOXES_FIELDS, &design.boxes}},
                                   [this](const KEYLINE& k) { return BoxKey(k); }))
                        return false;
                    break;
                case DESIGNSECTION_COUNT:
                    break;
            }
        }
        return Finish(pSetup, pThingsHead, pBackdrop);
    }

    int NumUsersKey(const SECTION& section, const KEYLINE& keyline) {
        if (!DESIGNVALUE_SameIgnoringCase(keyline.key, "NumUsers"))
            return 0;
        long long ll = 0;
        if (!DESIGNVALUE_ParseNumber(keyline.value, INT16_MIN, INT16_MAX, &ll))
            return Refuse(keyline.nLine, "NumUsers: value out of range (-32768 to 32767)");
        m_given.insert({&section, "numusers"});
        if (section.kind == DESIGNSECTION_TARGET)
            m_pDesign->targets.targets[section.nIndex]->nNumUsers = static_cast<int16_t>(ll);
        else
            m_pDesign->paths.paths[section.nIndex].nNumUsers = static_cast<int16_t>(ll);
        return 1;
    }

    bool BuildPath(const SECTION& section) {
        PATHENTRY& entry = m_pDesign->paths.paths[section.nIndex];
        entry.fPresent = true;
        for (const KEYLINE& keyline : section.keys) {
            std::string text, error;
            const int nNumUsers = NumUsersKey(section, keyline);
            if (nNumUsers < 0)
                return false;
            if (nNumUsers > 0)
                continue;
            if (!DESIGNVALUE_SameIgnoringCase(keyline.key, "Path"))
                return Fail(keyline.nLine, "unknown key " + keyline.key + " in [" + SectionName(section) + "]");
            if (!DESIGNVALUE_ParseText(keyline.value, &text, &error))
                return Fail(keyline.nLine, "Path: " + error);
            if (text.size() > MAX_PATH_SIZE - 1)
                return Fail(keyline.nLine, "Path: text longer than 259 characters");
            memcpy(entry.szPath, text.c_str(), text.size() + 1);
        }
        return true;
    }

    int TargetsKey(const KEYLINE& keyline) {
        std::string text, error;
        long long ll = 0;
        if (DESIGNVALUE_SameIgnoringCase(keyline.key, "Tag")) {
            if (!DESIGNVALUE_ParseText(keyline.value, &text, &error) || text.size() != 4)
                return Refuse(keyline.nLine, "Tag: four characters");
            m_pDesign->targets.dwTag = DESIGN_TAG(text[0], text[1], text[2], text[3]);
            return 1;
        }
        if (DESIGNVALUE_SameIgnoringCase(keyline.key, "AddToPATH")) {
            if (!DESIGNVALUE_ParseNumber(keyline.value, INT16_MIN, INT16_MAX, &ll))
                return Refuse(keyline.nLine, "AddToPATH: value out of range (-32768 to 32767)");
            m_pDesign->targets.nAddToPATH = static_cast<int16_t>(ll);
            return 1;
        }
        return 0;
    }

    int DisksKey(const KEYLINE& keyline) {
        long long ll = 0;
        if (!DESIGNVALUE_SameIgnoringCase(keyline.key, "Media"))
            return 0;
        if (!DESIGNVALUE_ParseNumber(keyline.value, INT32_MIN, INT32_MAX, &ll))
            return Refuse(keyline.nLine, "Media: value out of range (a 32-bit signed number)");
        m_pDesign->disks.lMedia = static_cast<int32_t>(ll);
        return 1;
    }

    int BackdropKey(const KEYLINE& keyline) {
        BACKDROP& backdrop = m_pDesign->backdrop;
        std::string text, error;
        if (DESIGNVALUE_SameIgnoringCase(keyline.key, "Name")) {
            if (!DESIGNVALUE_ParseText(keyline.value, &text, &error) || text.size() > sizeof(backdrop.Name) - 1)
                return Refuse(keyline.nLine, "Name: " + (error.empty() ? "text longer than 15 characters" : error));
            memcpy(backdrop.Name, text.c_str(), text.size() + 1);
            return 1;
        }
        if (DESIGNVALUE_SameIgnoringCase(keyline.key, "Data")) {
            std::vector<uint8_t> bytes;
            if (!DESIGNVALUE_ParseHex(keyline.value, 1u << 24, &bytes, &error))
                return Refuse(keyline.nLine, "Data: " + error);
            delete[] backdrop.lpPrivateData;
            backdrop.lpPrivateData = new uint8_t[bytes.size() + 1];
            if (!bytes.empty())
                memcpy(backdrop.lpPrivateData, bytes.data(), bytes.size());
            backdrop.PrivateDataSize = static_cast<uint32_t>(bytes.size());
            return 1;
        }
        return 0;
    }

    // BoxN = anchor x, anchor y, dialog x, dialog y; BoxNUnused = its eight unused bytes.
    int BoxKey(const KEYLINE& keyline) {
        const std::string key = DESIGNVALUE_Lower(keyline.key);
        if (key.compare(0, 3, "box") != 0)
            return 0;
        const bool fUnused = key.size() > 9 && key.compare(key.size() - 6, 6, "unused") == 0;
        long long llBox = 0;
        if (!DESIGNVALUE_ParseNumber(key.substr(3, key.size() - 3 - (fUnused ? 6 : 0)), 0, DLGBOXES_COUNT - 1, &llBox))
            return 0;
        DLGBOX& box = m_pDesign->boxes.Boxes[llBox];
        std::string error;
        if (fUnused) {
            const DESIGNFIELD& unused = DLGBOX_FIELDS.pFields[DLGBOX_FIELDS.nFields - 1];
            return DESIGNVALUE_ApplyField(DLGBOX_FIELDS, unused, &box, keyline.value, &error)
                       ? 1
                       : Refuse(keyline.nLine, keyline.key + ": " + error);
        }
        int16_t* pnValues[] = {&box.xAnchor, &box.yAnchor, &box.xDialog, &box.yDialog};
        size_t at = 0;
        for (int i = 0; i < 4; ++i) {
            const size_t comma = keyline.value.find(',', at);
            if ((comma == std::string::npos) != (i == 3))
                return Refuse(keyline.nLine, keyline.key + ": four numbers: anchor x, anchor y, dialog x, dialog y");
            long long ll = 0;
            if (!DESIGNVALUE_ParseNumber(DESIGNVALUE_Trim(keyline.value.substr(at, comma - at)), INT16_MIN, INT16_MAX,
                                         &ll))
                return Refuse(keyline.nLine, keyline.key + ": value out of range (-32768 to 32767)");
            *pnValues[i] = static_cast<int16_t>(ll);
            at = comma + 1;
        }
        return 1;
    }

    bool BuildThing(const SECTION& section) {
        THING* pThing = new THING{};
        m_pDesign->things.things[section.nIndex] = pThing;
        pThing->target = 1;
        const KEYLINE* pType = FindKey(section, "Type");
        std::string error;
        if (pType && !DESIGNVALUE_ApplyField(THING_FIELDS, THING_FIELDS.pFields[0], pThing, pType->value, &error))
            return Fail(pType->nLine, "Type: " + error);
        bool fIcon = false;
        for (size_t i = 0; i < ICONSTRUCT_FIELDS.nFields; ++i)
            fIcon = fIcon || FindKey(section, ICONSTRUCT_FIELDS.pFields[i].szKey);
        if (pThing->nType == THING_FILE) {
            pThing->pFile = new FILETYPE{};
            if (fIcon)
                pThing->pFile->pIcon = new ICONSTRUCT{};
            if (!ApplyKeys(section, {{&THING_FIELDS, pThing},
                                     {&FILETYPE_FIELDS, pThing->pFile},
                                     {&ICONSTRUCT_FIELDS, fIcon ? pThing->pFile->pIcon : nullptr}}))
                return false;
            if (!Given(section, "Iconflag"))
                pThing->pFile->bIconflag = fIcon ? 1 : 0;
            if (fIcon && !pThing->pFile->bIconflag)
                return Fail(section.nLine, "[" + SectionName(section) + "] has icon keys but Iconflag = 0");
            if (pThing->pFile->bIconflag && !pThing->pFile->pIcon)
                pThing->pFile->pIcon = new ICONSTRUCT{};
            return true;
        }
        if (pThing->nType == THING_DIR) {
            pThing->pDir = new DIR{};
            return ApplyKeys(section, {{&THING_FIELDS, pThing}, {&DIR_FIELDS, pThing->pDir}});
        }
        return ApplyKeys(section, {{&THING_FIELDS, pThing}});
    }

    int LineOf(DESIGNSECTION_KIND kind, int nIndex, const char* szKey) const {
        for (const SECTION& section : m_sections) {
            if (section.kind != kind || section.nIndex != nIndex)
                continue;
            const KEYLINE* pKey = FindKey(section, szKey);
            return pKey ? pKey->nLine : section.nLine;
        }
        return 0;
    }

    bool Finish(const SECTION* pSetup, const SECTION* pThingsHead, const SECTION* pBackdrop) {
        DESIGN& design = *m_pDesign;
        // Keys that were left out take what the things imply.
        for (const SECTION& section : m_sections) {
            const int i = section.nIndex;
            if (section.kind == DESIGNSECTION_PATH && !Given(section, "NumUsers"))
                design.paths.paths[i].nNumUsers = DESIGNDEFAULT_PathUsers(design, i);
            if (section.kind == DESIGNSECTION_TARGET) {
                TARGET computed = {};
                DESIGNDEFAULT_Target(design, i, *design.targets.targets[i], &computed);
                if (!Given(section, "NumUsers"))
                    design.targets.targets[i]->nNumUsers = computed.nNumUsers;
                if (!Given(section, "RuntimePath"))
                    memcpy(design.targets.targets[i]->runtimepath, computed.runtimepath, sizeof(computed.runtimepath));
            }
            if (section.kind == DESIGNSECTION_COLLECTION) {
                COLLOBJ computed = {};
                DESIGNDEFAULT_Collection(design, i, &computed);
                if (!Given(section, "NumUsers"))
                    design.collect.collection[i].nNumUsers = computed.nNumUsers;
                if (!Given(section, "Size"))
                    design.collect.collection[i].lSize = computed.lSize;
            }
            if (section.kind == DESIGNSECTION_DISK) {
                DISKOBJ computed = {};
                DESIGNDEFAULT_Disk(design, i, &computed);
                if (!Given(section, "NumUsers"))
                    design.disks.diskarr[i].nNumUsers = computed.nNumUsers;
                if (!Given(section, "Size"))
                    design.disks.diskarr[i].lSize = computed.lSize;
            }
        }
        THINGCOL computed = {};
        DESIGNDEFAULT_Things(design, &computed);
        const int nThings = computed.nNumFiles + computed.nNumDirs;
        if (nThings == 0)
            return Fail(0, "the design has no [Thing N] sections; the engine refuses a design without things");
        const bool fFilesGiven = pThingsHead && Given(*pThingsHead, "NumFiles");
        const bool fDirsGiven = pThingsHead && Given(*pThingsHead, "NumDirs");
        if (!fFilesGiven)
            design.things.nNumFiles =
                static_cast<int16_t>(fDirsGiven ? nThings - design.things.nNumDirs : computed.nNumFiles);
        if (!fDirsGiven)
            design.things.nNumDirs = static_cast<int16_t>(nThings - design.things.nNumFiles);
        if (design.things.nNumFiles + design.things.nNumDirs != nThings)
            return Fail(pThingsHead ? pThingsHead->nLine : 0,
                        "NumFiles and NumDirs add up to " +
                            std::to_string(design.things.nNumFiles + design.things.nNumDirs) + ", but the design has " +
                            std::to_string(nThings) + " things");
        const bool fBackDropGiven = pSetup && Given(*pSetup, "BackDrop");
        if (!fBackDropGiven)
            design.exe.bBackDrop = pBackdrop ? 1 : 0;
        if ((design.exe.bBackDrop != 0) != (pBackdrop != nullptr))
            return Fail(fBackDropGiven ? LineOf(DESIGNSECTION_SETUP, -1, "BackDrop") : 0,
                        pBackdrop ? "BackDrop = 0 but the design has a [Backdrop] section"
                                  : "BackDrop is set but the design has no [Backdrop] section");
        for (const auto& problem : Problems(design)) {
            *m_pError = std::to_string(LineOf(problem.kind, problem.nIndex, problem.szKey)) + ": " + problem.message;
            return false;
        }
        return true;
    }

public:
    struct PROBLEM {
        DESIGNSECTION_KIND kind;
        int nIndex;
        const char* szKey;
        std::string message;
    };

    // References to slots that the design does not define.
    static std::vector<PROBLEM> Problems(const DESIGN& design) {
        std::vector<PROBLEM> problems;
        auto check = [&](bool fDefined, DESIGNSECTION_KIND kind, int nIndex, const char* szKey, const char* szWhat,
                         int nValue) {
            if (!fDefined)
                problems.push_back({kind, nIndex, szKey,
                                    std::string("[") + DESIGNSECTION_KINDS[kind].szName +
                                        (nIndex < 0 ? "" : " " + std::to_string(nIndex)) + "] names " + szWhat + " " +
                                        std::to_string(nValue) + ", which the design does not define"});
        };
        for (int i = 0; i < MAX_COLLECTIONS; ++i) {
            if (!design.collect.fPresent[i])
                continue;
            const int nTarget = design.collect.collection[i].nTarget;
            check(nTarget >= 0 && nTarget < MAX_TARGETS && design.targets.targets[nTarget], DESIGNSECTION_COLLECTION, i,
                  "Target", "target", nTarget);
        }
        for (int i = 0; i < MAX_THINGS; ++i) {
            const THING* pThing = design.things.things[i];
            if (!pThing)
                continue;
            check(pThing->target >= 0 && pThing->target < MAX_TARGETS && design.targets.targets[pThing->target],
                  DESIGNSECTION_THING, i, "Target", "target", pThing->target);
            // Collection -1 is every collection's: the engine installs the thing with each one chosen.
            check(pThing->nCollection == -1 || (pThing->nCollection >= 0 && pThing->nCollection < MAX_COLLECTIONS &&
                                                design.collect.fPresent[pThing->nCollection]),
                  DESIGNSECTION_THING, i, "Collection", "collection", pThing->nCollection);
            check(pThing->nDisk >= 0 && pThing->nDisk < MAX_DISKS && design.disks.fPresent[pThing->nDisk],
                  DESIGNSECTION_THING, i, "Disk", "disk", pThing->nDisk);
        }
        const struct {
            const char* szKey;
            int nPosition;
        } specials[] = {{"ReadMe", design.things.nReadMe},
                        {"RegDataFile", design.things.nRegDataFile},
                        {"WININI", design.things.nWININI}};
        for (const auto& special : specials) {
            check(special.nPosition == -1 || (special.nPosition >= 0 && special.nPosition < MAX_THINGS &&
                                              design.things.things[special.nPosition]),
                  DESIGNSECTION_THINGS, -1, special.szKey, "thing", special.nPosition);
        }
        return problems;
    }

private:
    DESIGN* m_pDesign;
    std::string* m_pError;
    std::vector<SECTION> m_sections;
    std::set<std::pair<const SECTION*, std::string>> m_given;
};

}  // namespace

bool DESIGNTEXT_Parse(const std::string& text, DESIGN* pDesign, std::string* pError) {
    pError->clear();
    return CParser(pDesign, pError).Parse(text);
}

std::string DESIGNTEXT_Dangling(const DESIGN& design) {
    std::string lines;
    for (const auto& problem : CParser::Problems(design))
        lines += problem.message + "\n";
    return lines;
}
