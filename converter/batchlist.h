// The contents of a batch list: the movies in display order and the selection, with the rules for adding
// movies by name and by pasting, and the ".bag" form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "converter/batchitem.h"
#include "toolkit/itemlist.h"

class CBatchList {
public:
    CBatchList() : m_items(true), m_selection(false) {}

    CItemList& GetItemList() { return m_items; }
    CItemList& GetSelectionList() { return m_selection; }
    const CItemList& GetItemList() const { return m_items; }
    const CItemList& GetSelectionList() const { return m_selection; }
    static const CBatchItem& ItemAt(const CItemList& list, size_t nIndex);

    // True when an item has this path, compared without regard to case.
    bool IsListed(const std::string& sPath) const;
    // Empties the selection, then appends each name that exists, is a movie and is not yet listed, to the
    // items and the selection. Returns how many were added.
    size_t AddFiles(const std::vector<std::string>& names);
    // Appends a new item for each batch item of the pasted list whose path is not yet listed and whose file
    // exists, selecting exactly them; an empty pasted list changes nothing.
    size_t AddPasted(const CItemList& pasted);

    bool Store(std::vector<uint8_t>& bytes) const;
    // Replaces the items by those of a ".bag" file's bytes and empties the selection; unchanged on failure.
    bool Load(const uint8_t* pData, size_t cbData);

private:
    void Append(const std::string& sPath);

    CItemList m_items;      // owns the items
    CItemList m_selection;  // some of the same items, in the order they were selected or added
};
