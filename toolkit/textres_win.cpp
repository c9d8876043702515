#include "toolkit/textres_win.h"

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("TEXTRES");

namespace {

HINSTANCE s_hInstance = nullptr;

}  // namespace

void TEXTRES_SetInstance(HINSTANCE hInstance) {
    s_hInstance = hInstance;
}

// A loaded resource lives as long as its module, so there is nothing to release afterwards.
int TEXTRES_Load(TEXTRES* pRes, HINSTANCE hInstance, LPCSTR szType, LPCSTR szName) {
    MFX_PRE(pRes);
    MFX_PRE(szType);
    MFX_PRE(szName);
    const HINSTANCE hModule = hInstance ? hInstance : s_hInstance;
    *pRes = TEXTRES{};
    MFX_PRE(pRes->hResInfo = FindResourceA(hModule, szName, szType));
    MFX_PRE(pRes->hGlobal = LoadResource(hModule, pRes->hResInfo));
    MFX_PRE(pRes->pData = LockResource(pRes->hGlobal));
    MFX_PRE((pRes->dwSize = SizeofResource(hModule, pRes->hResInfo)) > 0);
    return 1;
}
