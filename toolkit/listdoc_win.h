// The list document's clipboard exchange: item lists travel between list documents, also of different
// processes, as one block of the registered clipboard format "CF_ITEMLIST" in the archived item-list form.
#pragma once

#include <windows.h>

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
