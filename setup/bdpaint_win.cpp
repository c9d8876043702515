// The engine's backdrop paint function.
#include "setup/bdpaint_win.h"

#include "setup/bdpaint.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("BDPAINT");

namespace {

const EXEOBJ* s_pOptions = nullptr;
HBITMAP s_hPicture = nullptr;  // a section of the file's own colours, so no palette is needed to draw it
BITMAP s_bmPicture = {};

void DrawPicture(HDC hdc, const RECT& rc) {
    int x = 0, y = 0;
    BDPAINT_PictureOrigin(s_pOptions->nBitMapPos, rc.right - rc.left, rc.bottom - rc.top, s_bmPicture.bmWidth,
                          s_bmPicture.bmHeight, &x, &y);
    HDC hdcPicture = CreateCompatibleDC(hdc);
    HGDIOBJ hOld = SelectObject(hdcPicture, s_hPicture);
    BitBlt(hdc, x, y, s_bmPicture.bmWidth, s_bmPicture.bmHeight, hdcPicture, 0, 0, SRCCOPY);
    SelectObject(hdcPicture, hOld);
    DeleteDC(hdcPicture);
}

void DrawText(HDC hdc, RECT rc) {
    const DESIGNFONT& font = s_pOptions->fontText;
    LOGFONTA lf = {};
    lf.lfHeight = font.lfHeight;
    lf.lfWidth = font.lfWidth;
    lf.lfWeight = font.lfWeight;
    lf.lfItalic = font.lfItalic;
    lf.lfUnderline = font.lfUnderline;
    lf.lfCharSet = font.lfCharSet;
    lf.lfQuality = font.lfQuality;
    lf.lfPitchAndFamily = font.lfPitchAndFamily;
    lstrcpynA(lf.lfFaceName, font.lfFaceName, sizeof(lf.lfFaceName));
    HFONT hFont = CreateFontIndirectA(&lf);
    HGDIOBJ hOldFont = hFont ? SelectObject(hdc, hFont) : nullptr;
    const int nOldMode = SetBkMode(hdc, TRANSPARENT);
    const COLORREF rgbOld = SetTextColor(hdc, s_pOptions->rgbText);
    int nColumn = 0, nRow = 0;
    BDPAINT_TextPlace(s_pOptions->nTextPos, &nColumn, &nRow);
    static const UINT s_auColumn[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    static const UINT s_auRow[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
    ::DrawTextA(hdc, s_pOptions->szText, -1, &rc, s_auColumn[nColumn] | s_auRow[nRow] | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(hdc, rgbOld);
    SetBkMode(hdc, nOldMode);
    if (hOldFont)
        SelectObject(hdc, hOldFont);
    if (hFont)
        DeleteObject(hFont);
}

}  // namespace

bool BDPAINT_Load(const EXEOBJ* pOptions, const char* szDistribDir) {
    BDPAINT_Release();
    s_pOptions = pOptions;
    if (!pOptions->szBitMapName[0])
        return true;
    PATHNAME szName = "", szBitmap = "";
    PATHNAME_GetJustName(pOptions->szBitMapName, szName);
    MFX_PRE(PATHNAME_Construct(szBitmap, szDistribDir, szName));
    MFX_PRE(PATHNAME_Exists(szBitmap));
    MFX_PRE(s_hPicture = static_cast<HBITMAP>(
                LoadImageA(nullptr, szBitmap, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    GetObjectA(s_hPicture, sizeof(s_bmPicture), &s_bmPicture);
    return true;
}

void BDPAINT_Release() {
    if (s_hPicture)
        DeleteObject(s_hPicture);
    s_hPicture = nullptr;
    s_pOptions = nullptr;
}

LONG CALLBACK BDPAINT_Paint(HWND hWnd, HDC* pPaint) {
    if (!s_pOptions || !pPaint || !*pPaint)
        return 0;
    RECT rc = {};
    GetClientRect(hWnd, &rc);
    if (s_hPicture)
        DrawPicture(*pPaint, rc);
    if (s_pOptions->szText[0])
        DrawText(*pPaint, rc);
    return 0;
}
