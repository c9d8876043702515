#include "toolkit/docframe/listdoc_win.h"

#include <cstring>
#include <vector>

#include "toolkit/docframe/docapp_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("LISTDOC");

const char LISTDOC_CLIPBOARDFORMAT[] = "CF_ITEMLIST";

namespace {

const size_t CLIPBOARD_GROWBY = 4096;  // the block grows in steps of this size

// The clipboard, open for the owner's lifetime.
class CClipboardOpen {
public:
    explicit CClipboardOpen(HWND hOwner) : m_fOpen(OpenClipboard(hOwner) != 0) {}
    ~CClipboardOpen() {
        if (m_fOpen)
            CloseClipboard();
    }
    CClipboardOpen(const CClipboardOpen&) = delete;
    CClipboardOpen& operator=(const CClipboardOpen&) = delete;
    bool IsOpen() const { return m_fOpen; }

private:
    bool m_fOpen;
};

// A shareable block of global memory that holds the bytes, zero-filled up to its next growth step as the
// block of a growing memory file would be. Null when memory is short.
HGLOBAL MakeBlock(const std::vector<uint8_t>& bytes) {
    const size_t cbBlock = (bytes.size() + CLIPBOARD_GROWBY - 1) / CLIPBOARD_GROWBY * CLIPBOARD_GROWBY;
    HGLOBAL hMemory = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, cbBlock);
    if (!hMemory)
        return nullptr;
    void* pBlock = GlobalLock(hMemory);
    if (!pBlock) {
        GlobalFree(hMemory);
        return nullptr;
    }
    memcpy(pBlock, bytes.data(), bytes.size());
    GlobalUnlock(hMemory);
    return hMemory;
}

}  // namespace

UINT LISTDOC_GetClipboardFormat() {
    static UINT CF_ITEMLIST = 0;
    if (!CF_ITEMLIST)
        MFX_VERIFY((CF_ITEMLIST = RegisterClipboardFormatA(LISTDOC_CLIPBOARDFORMAT)) != 0);
    return CF_ITEMLIST;
}

bool LISTDOC_CopyList(const CItemList& list, HWND hOwner) {
    const UINT uFormat = LISTDOC_GetClipboardFormat();
    MFX_PRE(uFormat);
    std::vector<uint8_t> bytes;
    MFX_PRE(list.StoreBlock(bytes));
    HGLOBAL hMemory = MakeBlock(bytes);
    MFX_PRE(hMemory != 0);
    CClipboardOpen clipboard(hOwner);
    bool fOk = false;
    if (MFX_VERIFY(clipboard.IsOpen()) && MFX_VERIFY(EmptyClipboard()))
        MFX_VERIFY(fOk = SetClipboardData(uFormat, hMemory) != nullptr);
    if (!fOk)
        GlobalFree(hMemory);  // the clipboard took nothing
    return fOk;
}

// The block is read where the clipboard keeps it and stays the clipboard's. Its size is the block's
// allocated size, so the list may be followed by the zero padding of the block's last growth step.
bool LISTDOC_PasteList(CItemList& list, const SERIALCLASS* const* ppClasses, size_t nClasses, HWND hOwner) {
    list.RemoveAll();
    const UINT uFormat = LISTDOC_GetClipboardFormat();
    MFX_PRE(uFormat);
    CClipboardOpen clipboard(hOwner);
    MFX_PRE(clipboard.IsOpen());
    HANDLE hMemory = GetClipboardData(uFormat);
    MFX_PRE(hMemory);
    const void* pBlock = GlobalLock(hMemory);
    MFX_PRE(pBlock);
    const bool fOk = list.LoadBlock(static_cast<const uint8_t*>(pBlock), GlobalSize(hMemory), ppClasses, nClasses,
                                    ITEMLIST_PADDEDEND);
    GlobalUnlock(hMemory);
    return fOk;
}

bool LISTDOC_IsPasteAvailable() {
    const UINT uFormat = LISTDOC_GetClipboardFormat();
    return uFormat && IsClipboardFormatAvailable(uFormat);
}

void CListDoc::MoveSelectionBefore(int nIndex) {
    if (GetItemList().MoveBefore(GetSelectionList(), nIndex))
        SetModified(true);
}

bool CListDoc::IsAllSelected() {
    return GetSelectionList().GetCount() == GetItemList().GetCount();
}

void CListDoc::GetItemText(const CSerial* pItem, std::string& text) {
    text = "CListDoc::GetItemText";
}

HICON CListDoc::GetItemIcon(const CSerial* pItem) {
    return nullptr;
}

HWND CListDoc::GetClipboardOwner() {
    CDocApp* pApp = CDocApp::Get();
    return pApp && pApp->GetMainFrame() ? pApp->GetMainFrame()->GetHandle() : nullptr;
}

bool CListDoc::CopyList(const CItemList& list) {
    return LISTDOC_CopyList(list, GetClipboardOwner());
}

bool CListDoc::PasteList(CItemList& list, const SERIALCLASS* const* ppClasses, size_t nClasses) {
    return LISTDOC_PasteList(list, ppClasses, nClasses, GetClipboardOwner());
}
