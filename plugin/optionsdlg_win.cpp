#include "plugin/optionsdlg_win.h"

#include <cstdio>
#include <string>

#include "plugin/movieoptions_win.h"
#include "plugin/options_ids.h"
#include "toolkit/cdlg_win.h"
#include "toolkit/commfile_ids.h"
#include "toolkit/commfile_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("OPTIONSDLG");

const char OPTIONSDLG_CAPTION[] = "Orvanta Flarion for Netscape Navigator Gold";

namespace {

const int MAX_FOLDER = 256;
const char VERSION[] = "1.00.02";

std::string ItemText(HWND hDlg, int idControl) {
    char szText[1024] = "";
    GetDlgItemTextA(hDlg, idControl, szText, sizeof(szText));
    return szText;
}

void CopyFolder(char* szFolder, const std::string& text) {
    lstrcpynA(szFolder, text.c_str(), MAX_FOLDER + 1);
}

}  // namespace

COptionsDlg::COptionsDlg(HWND hParent, CMovieOptions& options, OPTIONSDLG_FREESPACE pfnFreeSpace)
    : CDialog(WINDOW_GetInstance(), OPTIONS_IDD_OPTIONS, hParent),
      m_options(options),
      m_original(options),
      m_pfnFreeSpace(pfnFreeSpace) {}

bool COptionsDlg::OnInitDialog() {
    CenterOver(GetParent(m_hWnd));
    SendDlgItemMessageA(m_hWnd, OPTIONS_IDC_CACHEFOLDER, EM_LIMITTEXT, MAX_FOLDER, 0);
    SendDlgItemMessageA(m_hWnd, OPTIONS_IDC_MEDIAFOLDER, EM_LIMITTEXT, MAX_FOLDER, 0);
    SetDlgItemTextA(m_hWnd, OPTIONS_IDC_CACHEFOLDER, m_options.m_szCacheFolder);
    SetDlgItemTextA(m_hWnd, OPTIONS_IDC_MEDIAFOLDER, m_options.m_szMediaFolder);
    SetDlgItemInt(m_hWnd, OPTIONS_IDC_CACHESIZE, m_options.m_nCacheSize, TRUE);
    SetDlgItemInt(m_hWnd, OPTIONS_IDC_TIMEOUT, m_options.m_nTimeout, TRUE);
    SetDlgItemInt(m_hWnd, OPTIONS_IDC_STARTPERCENT, m_options.m_nStartPercent, TRUE);
    CheckDlgButton(m_hWnd, OPTIONS_IDC_STOPNODATA, m_options.m_fStopNoData ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, OPTIONS_IDC_SHOWPROGRESS, m_options.m_fShowProgress ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(m_hWnd, OPTIONS_IDC_SPEED_UNKNOWN, OPTIONS_IDC_SPEED_INTRANET,
                     OPTIONS_IDC_SPEED_UNKNOWN + m_options.m_nConnectionSpeed);
    return true;
}

// A field that does not hold a whole number in range is refused: the user is told the range and put back
// into the field.
bool COptionsDlg::ReadNumber(int idControl, int nMin, int nMax, int* pnValue) {
    BOOL fNumber = FALSE;
    const int nValue = static_cast<int>(GetDlgItemInt(m_hWnd, idControl, &fNumber, TRUE));
    if (fNumber && nValue >= nMin && nValue <= nMax) {
        *pnValue = nValue;
        return true;
    }
    char szText[128];
    snprintf(szText, sizeof(szText), "Please enter an integer between %d and %d.", nMin, nMax);
    ::MessageBoxA(m_hWnd, szText, OPTIONSDLG_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    const HWND hControl = GetDlgItem(m_hWnd, idControl);
    SetFocus(hControl);
    SendMessageA(hControl, EM_SETSEL, 0, -1);
    return false;
}

void COptionsDlg::OnOK() {
    int nCacheSize = 0, nTimeout = 0, nStartPercent = 0;
    if (!ReadNumber(OPTIONS_IDC_CACHESIZE, 1, 100, &nCacheSize) ||
        !ReadNumber(OPTIONS_IDC_TIMEOUT, 1, 100, &nTimeout) ||
        !ReadNumber(OPTIONS_IDC_STARTPERCENT, 10, 100, &nStartPercent))
        return;
    CopyFolder(m_options.m_szCacheFolder, ItemText(m_hWnd, OPTIONS_IDC_CACHEFOLDER));
    CopyFolder(m_options.m_szMediaFolder, ItemText(m_hWnd, OPTIONS_IDC_MEDIAFOLDER));
    m_options.m_nCacheSize = nCacheSize;
    m_options.m_nTimeout = nTimeout;
    m_options.m_nStartPercent = nStartPercent;
    m_options.m_fStopNoData = IsDlgButtonChecked(m_hWnd, OPTIONS_IDC_STOPNODATA) == BST_CHECKED;
    m_options.m_fShowProgress = IsDlgButtonChecked(m_hWnd, OPTIONS_IDC_SHOWPROGRESS) == BST_CHECKED;
    for (int id = OPTIONS_IDC_SPEED_UNKNOWN; id <= OPTIONS_IDC_SPEED_INTRANET; ++id) {
        if (IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED)
            m_options.m_nConnectionSpeed = id - OPTIONS_IDC_SPEED_UNKNOWN;
    }

    uint64_t qwFree = 0;
    if (m_pfnFreeSpace(m_options.m_szCacheFolder, &qwFree) &&
        (static_cast<uint64_t>(m_options.m_nCacheSize) << 20) >= qwFree) {
        char szFree[32];
        snprintf(szFree, sizeof(szFree), "%ld", static_cast<long>(qwFree >> 20));
        const std::string text =
            std::string("The cache size is greater than the amount of free space on the drive.\n\n(There is ") +
            szFree + "MB of free space in " + m_options.m_szCacheFolder + ".)";
        ::MessageBoxA(m_hWnd, text.c_str(), OPTIONSDLG_CAPTION, MB_OK | MB_ICONERROR);
        return;
    }
    ::MessageBoxA(m_hWnd, "You must restart Netscape for these changes to take effect", OPTIONSDLG_CAPTION,
                MB_OK | MB_ICONINFORMATION);
    EndDialog(IDOK);
}

// The values are stored before the free-space test, which may keep the dialog open; Cancel after that
// still leaves the options as they were.
void COptionsDlg::OnCancel() {
    m_options = m_original;
    EndDialog(IDCANCEL);
}

bool COptionsDlg::OnCommand(int idItem, int nCode, HWND hControl) {
    switch (idItem) {
        case OPTIONS_IDC_CHOOSECACHE:
            ChooseFolder(OPTIONS_IDC_CACHEFOLDER);
            return true;
        case OPTIONS_IDC_CHOOSEMEDIA:
            ChooseFolder(OPTIONS_IDC_MEDIAFOLDER);
            return true;
        case OPTIONS_IDC_CLEARCACHE:
            ClearCache();
            return true;
        case OPTIONS_IDC_ABOUT:
            CAboutDlg(m_hWnd).DoModal();
            return true;
        case OPTIONS_IDC_BACKGROUND:
            OPTIONSDLG_Background(m_hWnd, m_options);
            return true;
        default:
            return CDialog::OnCommand(idItem, nCode, hControl);
    }
}

void COptionsDlg::ChooseFolder(int idEdit) {
    PATHNAME szFolder = "";
    lstrcpynA(szFolder, ItemText(m_hWnd, idEdit).c_str(), sizeof(szFolder));
    if (COMMFILE_ChooseDir(szFolder, m_hWnd, nullptr, COMMFILE_IDD_CHOOSEDIR))
        SetDlgItemTextA(m_hWnd, idEdit, szFolder);
}

// Every file of the folder is tried, whatever happened to the one before.
void COptionsDlg::ClearCache() {
    const std::string folder = ItemText(m_hWnd, OPTIONS_IDC_CACHEFOLDER);
    const std::string question = "Delete the files in " + folder;
    if (::MessageBoxA(m_hWnd, question.c_str(), OPTIONSDLG_CAPTION, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    PATHNAME szPattern = "";
    if (!PATHNAME_Construct(szPattern, folder.c_str(), "*.*"))
        return;
    WIN32_FIND_DATAA found;
    const HANDLE hFind = FindFirstFileA(szPattern, &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        PATHNAME PathName = "";
        if (PATHNAME_Construct(PathName, folder.c_str(), found.cFileName))
            MFX_VERIFY(PATHNAME_Remove(PathName));
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
}

namespace {

const CDLG_GROUPMAP BackgroundMap[] = {
    {OPTIONS_IDC_ORVANTA, 0, 0}, {OPTIONS_IDC_REELWAY, 0, 1}, {OPTIONS_IDC_SOLID, 0, 2},
    {OPTIONS_IDC_TILE, 0, 3},    {OPTIONS_IDC_CENTER, 0, 4},  {CDLG_MAPEND, 0, 0},
};

void OpenBackground(HWND hDlg) {
    auto* pOptions = static_cast<CMovieOptions*>(CDLG_GetUserData(hDlg));
    MFX_VERIFY(CDLG_AddGroupItem(hDlg, &GroupItemClass, BackgroundMap, &pOptions->m_lBackgroundType));
    MFX_VERIFY(CDLG_AddColorItem(hDlg, OPTIONS_IDC_COLOR, OPTIONS_IDC_SWATCH, &pOptions->m_crBackground,
                                 MAKEINTRESOURCEA(OPTIONS_IDS_COLORTITLE)));
    MFX_VERIFY(CDLG_AddBrowseButton(hDlg, OPTIONS_IDC_PICTURE, OPTIONS_IDC_PICTUREPATH, OPTIONS_IDS_PICTUREFILTER,
                                    OPTIONS_IDS_PICTURETITLE));
    MFX_VERIFY(CDLG_AddStringItem(hDlg, &WndStringClass, OPTIONS_IDC_PICTUREPATH, sizeof(PATHNAME),
                                  pOptions->m_szBackgroundPicture));
}

}  // namespace

bool OPTIONSDLG_Background(HWND hParent, CMovieOptions& options) {
    CDLG_DESCRIPTION description = {};
    description.hInstance = WINDOW_GetInstance();
    description.dwFlags = CDLG_OKENDS | CDLG_CANCELENDS | CDLG_LIGHTGREY | CDLG_CENTEROWNER;
    description.pfnOpen = OpenBackground;
    return CDLG_DoModal(&description, &options, MAKEINTRESOURCEA(OPTIONS_IDD_BACKGROUND), hParent);
}

CAboutDlg::CAboutDlg(HWND hParent) : CDialog(WINDOW_GetInstance(), OPTIONS_IDD_ABOUT, hParent) {}

CAboutDlg::~CAboutDlg() {
    if (m_hTitleFont)
        DeleteObject(m_hTitleFont);
}

bool CAboutDlg::OnInitDialog() {
    CenterOver(GetParent(m_hWnd));
    SetDlgItemTextA(m_hWnd, OPTIONS_IDC_VERSION, VERSION);
    const HDC hDC = GetDC(m_hWnd);
    const int nHeight = -MulDiv(18, GetDeviceCaps(hDC, LOGPIXELSY), 72);
    ReleaseDC(m_hWnd, hDC);
    m_hTitleFont = CreateFontA(nHeight, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, "Times New Roman");
    SendDlgItemMessageA(m_hWnd, OPTIONS_IDC_PRODUCT, WM_SETFONT, reinterpret_cast<WPARAM>(m_hTitleFont), FALSE);
    SetDlgItemTextA(m_hWnd, OPTIONS_IDC_PRODUCT, "Flarion");
    CPictureWnd* pPicture = new CPictureWnd(m_hWnd);
    if (pPicture->Create())
        m_hPicture = pPicture->GetHandle();
    else
        delete pPicture;
    return true;
}

void CAboutDlg::OnDestroy() {
    if (m_hPicture && IsWindow(m_hPicture))
        DestroyWindow(m_hPicture);
    m_hPicture = nullptr;
}

CPictureWnd::CPictureWnd(HWND hParent) : CDialog(WINDOW_GetInstance(), OPTIONS_IDD_PICTURE, hParent) {}

CPictureWnd::~CPictureWnd() {
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    if (m_hPalette)
        DeleteObject(m_hPalette);
}

bool CPictureWnd::OnInitDialog() {
    m_hBitmap = static_cast<HBITMAP>(
        LoadImageA(WINDOW_GetInstance(), MAKEINTRESOURCEA(OPTIONS_IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!MFX_VERIFY(m_hBitmap))
        return true;
    DIBSECTION dib = {};
    GetObjectA(m_hBitmap, sizeof(dib), &dib);
    // A picture of more than 16 colours brings its own palette.
    if (dib.dsBmih.biBitCount > 4 && dib.dsBmih.biBitCount <= 8) {
        const HDC hMemDC = CreateCompatibleDC(nullptr);
        const HGDIOBJ hOld = SelectObject(hMemDC, m_hBitmap);
        RGBQUAD colours[256];
        const UINT cColours = GetDIBColorTable(hMemDC, 0, 256, colours);
        SelectObject(hMemDC, hOld);
        DeleteDC(hMemDC);
        std::string block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY), '\0');
        auto* pLog = reinterpret_cast<LOGPALETTE*>(&block[0]);
        pLog->palVersion = 0x300;
        pLog->palNumEntries = static_cast<WORD>(cColours);
        for (UINT i = 0; i < cColours; ++i)
            pLog->palPalEntry[i] = {colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
        m_hPalette = cColours ? CreatePalette(pLog) : nullptr;
    }
    const int cx = dib.dsBm.bmWidth + 2, cy = dib.dsBm.bmHeight + 2;
    SetWindowPos(m_hWnd, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - cx) / 2, (GetSystemMetrics(SM_CYSCREEN) - cy) / 2,
                 cx, cy, SWP_SHOWWINDOW);
    return false;
}

bool CPictureWnd::Realize() {
    if (!m_hPalette)
        return false;
    const HDC hDC = GetDC(m_hWnd);
    const HPALETTE hOld = SelectPalette(hDC, m_hPalette, FALSE);
    const UINT cChanged = RealizePalette(hDC);
    SelectPalette(hDC, hOld, TRUE);
    ReleaseDC(m_hWnd, hDC);
    if (cChanged)
        InvalidateRect(m_hWnd, nullptr, FALSE);
    return cChanged != 0;
}

bool CPictureWnd::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC hDC = BeginPaint(m_hWnd, &ps);
            RECT rc;
            GetClientRect(m_hWnd, &rc);
            FrameRect(hDC, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            const HPALETTE hOldPalette = m_hPalette ? SelectPalette(hDC, m_hPalette, FALSE) : nullptr;
            if (m_hPalette)
                RealizePalette(hDC);
            const HDC hMemDC = CreateCompatibleDC(hDC);
            const HGDIOBJ hOld = SelectObject(hMemDC, m_hBitmap);
            BitBlt(hDC, 1, 1, rc.right - 2, rc.bottom - 2, hMemDC, 0, 0, SRCCOPY);
            SelectObject(hMemDC, hOld);
            DeleteDC(hMemDC);
            if (hOldPalette)
                SelectPalette(hDC, hOldPalette, TRUE);
            EndPaint(m_hWnd, &ps);
            lResult = 0;
            return true;
        }
        case WM_QUERYNEWPALETTE:
            lResult = Realize();
            return true;
        case WM_PALETTECHANGED:
            if (reinterpret_cast<HWND>(wParam) != m_hWnd)
                Realize();
            lResult = 0;
            return true;
        case WM_LBUTTONDOWN:
            DestroyWindow(m_hWnd);
            lResult = 0;
            return true;
        default:
            return CDialog::OnMessage(uMsg, wParam, lParam, lResult);
    }
}

void CPictureWnd::OnFinalMessage() {
    delete this;
}
