#include "toolkit/itemlist.h"

#include <algorithm>
#include <memory>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("ITEMLIST");

CItemList::CItemList(bool fOwnsItems) : m_fOwnsItems(fOwnsItems) {}

CItemList::~CItemList() {
    RemoveAll();
}

int CItemList::Find(const CSerial* pItem) const {
    const auto it = std::find(m_items.begin(), m_items.end(), pItem);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void CItemList::Add(CSerial* pItem) {
    m_items.push_back(pItem);
}

void CItemList::InsertAt(size_t nIndex, CSerial* pItem) {
    m_items.insert(m_items.begin() + std::min(nIndex, m_items.size()), pItem);
}

bool CItemList::Remove(const CSerial* pItem) {
    const int nIndex = Find(pItem);
    if (nIndex < 0)
        return false;
    m_items.erase(m_items.begin() + nIndex);
    return true;
}

void CItemList::RemoveAll() {
    if (m_fOwnsItems) {
        for (CSerial* pItem : m_items)
            delete pItem;
    }
    m_items.clear();
}

void CItemList::RemoveItemsOf(const CItemList& items) {
    for (CSerial* pItem : items.m_items) {
        if (Remove(pItem) && m_fOwnsItems)
            delete pItem;
    }
}

bool CItemList::SetToAllOf(const CItemList& items) {
    MFX_PRE(!m_fOwnsItems);
    m_items = items.m_items;
    return true;
}

// The target is noted before anything is taken out, so the index means the item the user pointed at. When
// that item is itself selected it leaves with the selection, and the selection goes to the end.
bool CItemList::MoveBefore(const CItemList& selection, int nIndex) {
    if (selection.IsEmpty())
        return false;
    const CSerial* pTarget = nIndex >= 0 && static_cast<size_t>(nIndex) < m_items.size() ? m_items[nIndex] : nullptr;
    std::vector<CSerial*> moved;
    for (CSerial* pItem : selection.m_items) {
        if (Remove(pItem))
            moved.push_back(pItem);
    }
    const int nTarget = pTarget ? Find(pTarget) : -1;
    const auto where = nTarget >= 0 ? m_items.begin() + nTarget : m_items.end();
    m_items.insert(where, moved.begin(), moved.end());
    return !moved.empty();
}

void CItemList::Store(CArchiveWriter& ar) const {
    ar.WriteCount(m_items.size());
    for (const CSerial* pItem : m_items)
        ar.WriteObject(*pItem);
}

// The count is checked against the data left before anything is allocated: every object needs at least its
// tag, so a count that the data cannot hold is refused at once.
bool CItemList::Load(CArchiveReader& ar) {
    MFX_PRE(m_fOwnsItems);
    uint32_t nCount = 0;
    if (!ar.ReadCount(nCount))
        return false;
    if (!MFX_VERIFY(nCount <= ar.Remaining() / ARCHIVE_MINOBJECTSIZE))
        return ar.Fail();
    std::vector<std::unique_ptr<CSerial>> items;
    items.reserve(nCount);
    for (uint32_t i = 0; i < nCount; ++i) {
        std::unique_ptr<CSerial> pItem = ar.ReadObject();
        if (!pItem)
            return false;
        items.push_back(std::move(pItem));
    }
    RemoveAll();
    for (auto& pItem : items)
        m_items.push_back(pItem.release());
    return true;
}

bool CItemList::StoreBlock(std::vector<uint8_t>& bytes) const {
    CArchiveWriter ar;
    Store(ar);
    MFX_PRE(ar.IsOk());
    bytes = ar.Bytes();
    return true;
}

// Nothing may follow the list: bytes after it mean the block is not what it claims to be. Only a memory
// block, which the clipboard hands on whole at its allocated size, may carry zero padding.
bool CItemList::LoadBlock(const uint8_t* pData,
                          size_t cbData,
                          const SERIALCLASS* const* ppClasses,
                          size_t nClasses,
                          ITEMLIST_BLOCKEND end) {
    MFX_PRE(m_fOwnsItems);
    CArchiveReader ar(pData, cbData, ppClasses, nClasses);
    CItemList items(true);
    if (!items.Load(ar))
        return false;
    if (end == ITEMLIST_EXACTEND)
        MFX_PRE(ar.IsAtEnd());
    else
        MFX_PRE(ar.IsAtPaddedEnd());
    RemoveAll();
    m_items.swap(items.m_items);
    return true;
}
