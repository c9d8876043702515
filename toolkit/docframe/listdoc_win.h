// The list document: a document of items and a selection of them, shown by list views, with its clipboard
// exchange. Item lists travel between list documents, also of different processes, as one block of the
// registered clipboard format "CF_ITEMLIST" in the archived item-list form.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/docframe/docview_win.h"
#include "toolkit/itemlist.h"

extern const char LISTDOC_CLIPBOARDFORMAT[];  // "CF_ITEMLIST"

// The format's number, registered on first use for the process; 0 when it cannot be registered.
UINT LISTDOC_GetClipboardFormat();
// Empties the clipboard and places the list on it, owned by hOwner.
bool LISTDOC_CopyList(const CItemList& list, HWND hOwner);
// Clears the owning list, then fills it from the clipboard's block with items of the given classes. A block
// that is missing or malformed leaves the list empty.
bool LISTDOC_PasteList(CItemList& list, const SERIALCLASS* const* ppClasses, size_t nClasses, HWND hOwner);
// True when the clipboard offers the format.
bool LISTDOC_IsPasteAvailable();

// A document holding a list of items and a selection of them, seen through list views. It keeps no data of
// its own: a derived document supplies the two lists. The view uses the interface in this order.
class CListDoc : public CDocument {
public:
    virtual CItemList& GetItemList() = 0;
    virtual CItemList& GetSelectionList() = 0;
    // An entry was double-clicked.
    virtual void OnItemActivated() {}
    // The user changed the selection in a view.
    virtual void OnSelectionChanged() {}
    // Moves the selected items before the item at nIndex (to the end for an index outside the list or on a
    // selected item); the document is then modified. The caller updates the views.
    virtual void MoveSelectionBefore(int nIndex);
    virtual bool IsAllSelected();
    virtual void GetItemText(const CSerial* pItem, std::string& text);
    // Null for no icon.
    virtual HICON GetItemIcon(const CSerial* pItem);
    // Files named by the user (dropped on a view).
    virtual void AddFiles(const std::vector<std::string>& names) {}

protected:
    // The clipboard exchange, with the main window as the clipboard's owner.
    bool CopyList(const CItemList& list);
    bool PasteList(CItemList& list, const SERIALCLASS* const* ppClasses, size_t nClasses);
    static HWND GetClipboardOwner();
};
