// An ordered array of archivable items, owning them or only pointing at them.
//
// An owning list deletes its items when it is cleared or destroyed; a non-owning list (a selection) only
// forgets them. Its archived form is the item count followed by each item as an object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/archive.h"

enum ITEMLIST_BLOCKEND { ITEMLIST_EXACTEND, ITEMLIST_PADDEDEND };

class CItemList {
public:
    explicit CItemList(bool fOwnsItems);
    ~CItemList();
    CItemList(const CItemList&) = delete;
    CItemList& operator=(const CItemList&) = delete;

    bool OwnsItems() const { return m_fOwnsItems; }
    size_t GetCount() const { return m_items.size(); }
    bool IsEmpty() const { return m_items.empty(); }
    CSerial* GetAt(size_t nIndex) const { return m_items[nIndex]; }
    // The index of the item, or -1 when the list does not hold it.
    int Find(const CSerial* pItem) const;
    bool Contains(const CSerial* pItem) const { return Find(pItem) >= 0; }

    // An owning list takes the item over.
    void Add(CSerial* pItem);
    void InsertAt(size_t nIndex, CSerial* pItem);
    // Takes the item out without deleting it; false when the list does not hold it.
    bool Remove(const CSerial* pItem);
    // Empties the list, deleting the items if it owns them.
    void RemoveAll();
    // Removes the given items and, if this list owns them, deletes them.
    void RemoveItemsOf(const CItemList& items);
    // Makes this non-owning list point at every item of another list, in its order.
    bool SetToAllOf(const CItemList& items);

    // Moves the items of the selection that this list holds, in selection order, before the item at nIndex
    // (to the end when nIndex is outside the list or its item is itself selected). False when nothing moved.
    bool MoveBefore(const CItemList& selection, int nIndex);

    void Store(CArchiveWriter& ar) const;
    // Replaces the contents by the items read; on any failure the list is left as it was.
    bool Load(CArchiveReader& ar);

    // The list as a whole block: a ".bag" file's bytes, or the clipboard's item list block.
    bool StoreBlock(std::vector<uint8_t>& bytes) const;
    // Reads a whole block holding items of the given classes. A file must end with the list; a memory
    // block handed on whole may be padded with zero bytes after it.
    bool LoadBlock(const uint8_t* pData,
                   size_t cbData,
                   const SERIALCLASS* const* ppClasses,
                   size_t nClasses,
                   ITEMLIST_BLOCKEND end);

private:
    std::vector<CSerial*> m_items;
    bool m_fOwnsItems;
};
