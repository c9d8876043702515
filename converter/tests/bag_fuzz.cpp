// Fuzz target over the batch list reader: any bytes must be refused cleanly or give a list that writes back
// to a block that reads again as the same list. Built as a libFuzzer program with clang, and driven by a
// bounded mutation test in every native build.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "converter/batchitem.h"
#include "toolkit/itemlist.h"
#include "toolkit/pathname.h"

namespace {

void Check(bool fCondition) {
    if (!fCondition)
        abort();
}

void CheckReadAgain(const CItemList& items) {
    std::vector<uint8_t> bytes;
    Check(items.StoreBlock(bytes));
    CItemList again(true);
    Check(again.LoadBlock(bytes.data(), bytes.size(), BATCHITEM_CLASSES, 1, ITEMLIST_EXACTEND));
    Check(again.GetCount() == items.GetCount());
    for (size_t i = 0; i < items.GetCount(); ++i) {
        const auto* pItem = static_cast<const CBatchItem*>(items.GetAt(i));
        Check(pItem->GetPathName().size() <= MAX_PATHNAME);
        Check(static_cast<const CBatchItem*>(again.GetAt(i))->GetPathName() == pItem->GetPathName());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    for (ITEMLIST_BLOCKEND end : {ITEMLIST_EXACTEND, ITEMLIST_PADDEDEND}) {
        CItemList items(true);
        if (items.LoadBlock(pData, cbData, BATCHITEM_CLASSES, 1, end))
            CheckReadAgain(items);
    }
    return 0;
}
