// A loaded design as the installation run leaves it after copying, for the tests of the Program Manager step:
// the group, targets 1 (C:\DEMO) and 2 (C:\Program Files\Demo\) and file things with their items.
#pragma once

#include <vector>

#include "setup/design.h"
#include "toolkit/strings.h"

struct ITEM {
    int nPosition;
    int nTarget;
    const char* szName;
    const char* szTitle;  // null: no icon
    const char* szCmdLine;
    bool fCopied;
};

class CTestDesign {
public:
    CTestDesign(const char* szGroup, const std::vector<ITEM>& items) : m_pDesign(DESIGN_Construct()) {
        STRINGS_CopyN(m_pDesign->exe.szProgManGroup, szGroup, sizeof(m_pDesign->exe.szProgManGroup));
        SetTarget(1, "C:\\DEMO");
        SetTarget(2, "C:\\Program Files\\Demo\\");
        for (const ITEM& item : items) {
            THING* pThing = new THING{};
            pThing->target = static_cast<int16_t>(item.nTarget);
            pThing->fCopied = item.fCopied;
            pThing->pFile = new FILETYPE{};
            STRINGS_CopyN(pThing->pFile->szName, item.szName, sizeof(pThing->pFile->szName));
            if (item.szTitle) {
                pThing->pFile->bIconflag = 1;
                pThing->pFile->pIcon = new ICONSTRUCT{};
                STRINGS_CopyN(pThing->pFile->pIcon->szName, item.szTitle, sizeof(pThing->pFile->pIcon->szName));
                STRINGS_CopyN(pThing->pFile->pIcon->szCmdLine, item.szCmdLine, sizeof(pThing->pFile->pIcon->szCmdLine));
                STRINGS_CopyN(pThing->pFile->pIcon->szEXEFile, "NOTEPAD.EXE", sizeof(pThing->pFile->pIcon->szEXEFile));
            }
            THINGCOL_Insert(&m_pDesign->things, item.nPosition, pThing);
        }
    }
    ~CTestDesign() { DESIGN_Destroy(m_pDesign); }
    CTestDesign(const CTestDesign&) = delete;
    CTestDesign& operator=(const CTestDesign&) = delete;
    DESIGN* operator->() { return m_pDesign; }
    DESIGN* Get() { return m_pDesign; }

    void SetUninstallIcon(const char* szText) {
        m_pDesign->exe.fUnInstallIcon = 1;
        STRINGS_CopyN(m_pDesign->exe.UnInstallText, szText, sizeof(m_pDesign->exe.UnInstallText));
    }

    void SetTarget(int nSlot, const char* szPath) {
        TARGET* pTarget = new TARGET{};
        STRINGS_CopyN(pTarget->runtimepath, szPath, sizeof(pTarget->runtimepath));
        TARGET_Destroy(m_pDesign->targets.targets[nSlot]);
        m_pDesign->targets.targets[nSlot] = pTarget;
    }

private:
    DESIGN* m_pDesign;
};
