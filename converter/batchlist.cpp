#include "converter/batchlist.h"

#include "movie/qtfast.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("BATCHLIST");

const CBatchItem& CBatchList::ItemAt(const CItemList& list, size_t nIndex) {
    return static_cast<const CBatchItem&>(*list.GetAt(nIndex));
}

bool CBatchList::IsListed(const std::string& sPath) const {
    for (size_t i = 0; i < m_items.GetCount(); ++i) {
        if (PATHNAME_IsSameName(ItemAt(m_items, i).GetPathName().c_str(), sPath.c_str()))
            return true;
    }
    return false;
}

void CBatchList::Append(const std::string& sPath) {
    CBatchItem* pItem = new CBatchItem(sPath);
    m_items.Add(pItem);
    m_selection.Add(pItem);
}

size_t CBatchList::AddFiles(const std::vector<std::string>& names) {
    m_selection.RemoveAll();
    size_t nAdded = 0;
    for (const std::string& sName : names) {
        if (!PATHNAME_Exists(sName.c_str()) || !IsQuickTimeMovieFile(sName.c_str()) || IsListed(sName))
            continue;
        Append(sName);
        ++nAdded;
    }
    return nAdded;
}

// A pasted list may come from another program's block, so each entry's class is checked before its path is
// taken. Paste trusts the other list that its entries are movies and does not open them again.
size_t CBatchList::AddPasted(const CItemList& pasted) {
    if (pasted.IsEmpty())
        return 0;
    m_selection.RemoveAll();
    size_t nAdded = 0;
    for (size_t i = 0; i < pasted.GetCount(); ++i) {
        const CSerial* pEntry = pasted.GetAt(i);
        if (&pEntry->GetSerialClass() != &CBatchItem::s_serialClass)
            continue;
        const std::string& sPath = static_cast<const CBatchItem*>(pEntry)->GetPathName();
        if (IsListed(sPath) || !PATHNAME_Exists(sPath.c_str()))
            continue;
        Append(sPath);
        ++nAdded;
    }
    return nAdded;
}

bool CBatchList::Store(std::vector<uint8_t>& bytes) const {
    return m_items.StoreBlock(bytes);
}

bool CBatchList::Load(const uint8_t* pData, size_t cbData) {
    if (!m_items.LoadBlock(pData, cbData, BATCHITEM_CLASSES, 1, ITEMLIST_EXACTEND))
        return false;
    m_selection.RemoveAll();
    return true;
}
