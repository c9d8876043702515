#include "toolkit/odmap_win.h"

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("ODMAP");

namespace {

const char ODMAP_PROPERTY[] = "ODMAP";

}  // namespace

bool ODMAP_Set(HWND hDlg, const ODMAP_ENTRY* pTable) {
    MFX_PRE(IsWindow(hDlg) && pTable);
    bool fOk;
    MFX_VERIFY(fOk = SetPropA(hDlg, ODMAP_PROPERTY, const_cast<ODMAP_ENTRY*>(pTable)) != FALSE);
    return fOk;
}

bool ODMAP_Remove(HWND hDlg) {
    MFX_PRE(IsWindow(hDlg));
    return RemovePropA(hDlg, ODMAP_PROPERTY) != nullptr;
}

bool ODMAP_MeasureItem(HWND hDlg, MEASUREITEMSTRUCT* pMeasure) {
    MFX_PRE(pMeasure);
    const auto* pEntry = static_cast<const ODMAP_ENTRY*>(GetPropA(hDlg, ODMAP_PROPERTY));
    for (; pEntry && pEntry->idControl != 0; pEntry++) {
        if (pEntry->idControl != pMeasure->CtlID)
            continue;
        if (pEntry->pfnCallback) {
            pEntry->pfnCallback(hDlg, pMeasure);
        } else {
            pMeasure->itemWidth = pEntry->cxItem;
            pMeasure->itemHeight = pEntry->cyItem;
        }
        return true;
    }
    return false;
}
