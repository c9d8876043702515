// Pictures with their own palette.
#include "setupext/orvadrop/palbmp_win.h"

#include <cstring>
#include <vector>

#include "toolkit/hfile.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("PALBMP");

namespace {
// A picture file larger than this is no backdrop picture.
const int32_t MAX_FILE_BYTES = 64 << 20;
}  // namespace

int PALBMP_DisplayBits() {
    HDC hdc = GetDC(nullptr);
    const int nBits = GetDeviceCaps(hdc, BITSPIXEL) * GetDeviceCaps(hdc, PLANES);
    ReleaseDC(nullptr, hdc);
    return nBits;
}

HPALETTE LPDIB_CreatePalette(const BITMAPINFO* pDIB) {
    const BITMAPINFOHEADER& bih = pDIB->bmiHeader;
    if (bih.biBitCount > 8)
        return nullptr;
    const size_t nColours = (DIB_BitsOffset(reinterpret_cast<const uint8_t*>(pDIB)) - bih.biSize) / sizeof(RGBQUAD);
    std::vector<BYTE> block(sizeof(LOGPALETTE) + nColours * sizeof(PALETTEENTRY));
    LOGPALETTE* pPalette = reinterpret_cast<LOGPALETTE*>(block.data());
    pPalette->palVersion = 0x300;
    pPalette->palNumEntries = static_cast<WORD>(nColours);
    const RGBQUAD* pTable = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(pDIB) + bih.biSize);
    for (size_t i = 0; i < nColours; ++i)
        pPalette->palPalEntry[i] = {pTable[i].rgbRed, pTable[i].rgbGreen, pTable[i].rgbBlue, 0};
    return CreatePalette(pPalette);
}

HBITMAP LPDIB_GethBitmap(const BITMAPINFO* pDIB, HDC hDC, UINT uUsage) {
    const BYTE* pBits = reinterpret_cast<const BYTE*>(pDIB) + DIB_BitsOffset(reinterpret_cast<const uint8_t*>(pDIB));
    return CreateDIBitmap(hDC, &pDIB->bmiHeader, CBM_INIT, pBits, pDIB, uUsage);
}

bool CPalBmp::FromPackedDIB(const BITMAPINFO* pDIB, const DIB_INFO& info) {
    Detach();
    if (PALBMP_DisplayBits() > 4 && info.nBitCount <= 8)
        MFX_VERIFY(m_hPalette = LPDIB_CreatePalette(pDIB));
    HDC hDC = GetDC(nullptr);
    HPALETTE hOld = m_hPalette ? SelectPalette(hDC, m_hPalette, FALSE) : nullptr;
    if (m_hPalette)
        RealizePalette(hDC);
    HBITMAP hBitmap = nullptr;
    // The report quotes the check as written here.
    // clang-format off
    MFX_VERIFY(hBitmap = LPDIB_GethBitmap( pDIB, hDC, DIB_RGB_COLORS ));
    // clang-format on
    if (hOld)
        SelectPalette(hDC, hOld, FALSE);
    ReleaseDC(nullptr, hDC);
    bool fOk = false;
    MFX_VERIFY(fOk = Attach(hBitmap));
    if (!fOk) {
        if (hBitmap)
            DeleteObject(hBitmap);
        Detach();
    }
    return fOk;
}

bool CPalBmp::LoadBitmap(HINSTANCE hInstance, int idResource, int idHighColour) {
    const int id = idHighColour && PALBMP_DisplayBits() > 8 ? idHighColour : idResource;
    HRSRC hInfo = FindResourceA(hInstance, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_BITMAP));
    HGLOBAL hResource = hInfo ? LoadResource(hInstance, hInfo) : nullptr;
    const uint8_t* pDib = hResource ? static_cast<const uint8_t*>(LockResource(hResource)) : nullptr;
    DIB_INFO info;
    return pDib && DIB_Check(pDib, SizeofResource(hInstance, hInfo), &info) &&
           FromPackedDIB(reinterpret_cast<const BITMAPINFO*>(pDib), info);
}

// The file's header and table are packed against its rows, which a file may keep further on.
bool CPalBmp::LoadFile(const char* szFile) {
    HFILE hFile = HFILE_OpenRead(szFile);
    if (hFile == HFILE_NONE)
        return false;
    const int32_t cb = HFILE_GetSize(hFile);
    std::vector<uint8_t> bytes;
    bool fOk = cb > 0 && cb <= MAX_FILE_BYTES;
    if (fOk) {
        bytes.resize(static_cast<size_t>(cb));
        fOk = HFILE_ReadLarge(hFile, bytes.data(), cb) == cb;
    }
    HFILE_Close(hFile);
    size_t cbBitsAt = 0;
    DIB_INFO info;
    if (!fOk || !DIB_CheckFile(bytes.data(), bytes.size(), &cbBitsAt, &info))
        return false;
    std::vector<uint8_t> packed(info.cbTable + info.cbBits);
    memcpy(packed.data(), bytes.data() + 14, info.cbTable);
    memcpy(packed.data() + info.cbTable, bytes.data() + cbBitsAt, info.cbBits);
    return FromPackedDIB(reinterpret_cast<const BITMAPINFO*>(packed.data()), info);
}

bool CPalBmp::Attach(HBITMAP hBitmap) {
    BITMAP bm = {};
    if (!hBitmap || !GetObjectA(hBitmap, sizeof(bm), &bm))
        return false;
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    m_hBitmap = hBitmap;
    m_cx = bm.bmWidth;
    m_cy = bm.bmHeight;
    return true;
}

void CPalBmp::Detach() {
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    if (m_hPalette)
        DeleteObject(m_hPalette);
    m_hBitmap = nullptr;
    m_hPalette = nullptr;
    m_cx = m_cy = 0;
}
