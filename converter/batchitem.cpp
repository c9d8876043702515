#include "converter/batchitem.h"

#include <cstring>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("BATCHITEM");

namespace {

CSerial* CreateBatchItem() {
    return new CBatchItem;
}

}  // namespace

const SERIALCLASS CBatchItem::s_serialClass = {"CBatchItem", 0, &CreateBatchItem};
const SERIALCLASS* const BATCHITEM_CLASSES[1] = {&CBatchItem::s_serialClass};

void CBatchItem::Store(CArchiveWriter& ar) const {
    ar.WriteString(m_sPathName);
}

// A stored path must fit the file-name buffers that every later use copies it into, and it cannot hold a
// NUL: such an item is refused rather than cut into the name of some other file.
bool CBatchItem::Load(CArchiveReader& ar) {
    std::string sPathName;
    if (!ar.ReadString(sPathName))
        return false;
    if (!MFX_VERIFY(sPathName.size() <= MAX_PATHNAME) || !MFX_VERIFY(sPathName.find('\0') == std::string::npos))
        return ar.Fail();
    m_sPathName = std::move(sPathName);
    return true;
}
