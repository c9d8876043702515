#include "tools/vroon/vroonjournal.h"

#include <cstring>

namespace {

const char s_szMagic[8] = {'V', 'R', 'O', 'O', 'N', 'J', 'N', 'L'};
const uint32_t VERSION = 1;
// Bounds no journal of ours passes; a larger field means a damaged file, not an allocation to make.
const uint32_t MAX_NAME = 4096;
const uint32_t MAX_PATCHES = 16;

uint32_t GetLE32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

class CJournalWriter {
public:
    void Bytes(const void* p, size_t cb) {
        const uint8_t* pb = static_cast<const uint8_t*>(p);
        m_bytes.insert(m_bytes.end(), pb, pb + cb);
    }
    void U32(uint32_t dw) {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<uint8_t>(dw >> (8 * i)));
    }
    void U64(uint64_t qw) {
        U32(static_cast<uint32_t>(qw));
        U32(static_cast<uint32_t>(qw >> 32));
    }
    std::vector<uint8_t>& Result() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

// Reads fields in order; the first read past the end clears the sticky flag and every later read gives 0.
class CJournalReader {
public:
    CJournalReader(const std::vector<uint8_t>& bytes, size_t cbEnd) : m_bytes(bytes), m_cbEnd(cbEnd) {}
    bool Bytes(void* p, size_t cb) {
        if (!m_fOk || cb > m_cbEnd - m_ib) {
            m_fOk = false;
            return false;
        }
        memcpy(p, m_bytes.data() + m_ib, cb);
        m_ib += cb;
        return true;
    }
    uint32_t U32() {
        uint8_t ab[4] = {};
        Bytes(ab, 4);
        return GetLE32(ab);
    }
    uint64_t U64() {
        const uint64_t qwLow = U32();
        return qwLow | static_cast<uint64_t>(U32()) << 32;
    }
    size_t Left() const { return m_cbEnd - m_ib; }
    bool Ok() const { return m_fOk; }

private:
    const std::vector<uint8_t>& m_bytes;
    size_t m_cbEnd;
    size_t m_ib = 0;
    bool m_fOk = true;
};

// What the conversion relies on: the head fills the insertion, and every patch lies inside the result.
bool IsConsistent(const QTM_INSERT& insert) {
    if (insert.cbInsert == 0 || insert.patches.empty() || insert.patches[0].qwAt != 0 ||
        insert.patches[0].bytes.size() != insert.cbInsert || insert.qwResultSize < insert.cbInsert ||
        insert.qwResultSize - insert.cbInsert > insert.qwSourceSize ||
        insert.qwProbeAt + insert.cbProbe > insert.qwResultSize - insert.cbInsert)
        return false;
    for (const QTM_PATCH& patch : insert.patches) {
        if (patch.qwAt > insert.qwResultSize || patch.bytes.size() > insert.qwResultSize - patch.qwAt)
            return false;
    }
    return true;
}

}  // namespace

uint32_t VROONJOURNAL_Crc32(const void* pData, size_t cb, uint32_t dwCrc) {
    static uint32_t s_adwTable[256];
    if (s_adwTable[1] == 0) {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t dw = i;
            for (int nBit = 0; nBit < 8; ++nBit)
                dw = dw & 1 ? 0xEDB88320u ^ (dw >> 1) : dw >> 1;
            s_adwTable[i] = dw;
        }
    }
    const uint8_t* p = static_cast<const uint8_t*>(pData);
    dwCrc = ~dwCrc;
    for (size_t i = 0; i < cb; ++i)
        dwCrc = s_adwTable[(dwCrc ^ p[i]) & 0xff] ^ (dwCrc >> 8);
    return ~dwCrc;
}

std::vector<uint8_t> VROONJOURNAL_Encode(const VROON_JOURNAL& journal) {
    const QTM_INSERT& insert = journal.insert;
    CJournalWriter writer;
    writer.Bytes(s_szMagic, sizeof(s_szMagic));
    writer.U32(VERSION);
    writer.U32(static_cast<uint32_t>(journal.name.size()));
    writer.Bytes(journal.name.data(), journal.name.size());
    writer.U64(insert.qwSourceSize);
    writer.U64(insert.cbInsert);
    writer.U64(insert.qwResultSize);
    writer.U64(insert.qwProbeAt);
    writer.U32(insert.cbProbe);
    writer.U32(journal.dwProbeCrc);
    writer.U32(insert.nTables);
    writer.U32(insert.nUpgraded);
    writer.U32(static_cast<uint32_t>(insert.patches.size()));
    for (const QTM_PATCH& patch : insert.patches) {
        writer.U64(patch.qwAt);
        writer.U64(patch.bytes.size());
        writer.Bytes(patch.bytes.data(), patch.bytes.size());
    }
    std::vector<uint8_t>& bytes = writer.Result();
    writer.U32(VROONJOURNAL_Crc32(bytes.data(), bytes.size()));
    return bytes;
}

VROONJOURNAL_ERROR VROONJOURNAL_Decode(const std::vector<uint8_t>& bytes, VROON_JOURNAL* pJournal) {
    const size_t cbStart = sizeof(s_szMagic) + 4;
    if (bytes.size() < cbStart || memcmp(bytes.data(), s_szMagic, sizeof(s_szMagic)) != 0 ||
        GetLE32(bytes.data() + sizeof(s_szMagic)) != VERSION)
        return VROONJOURNAL_NOT_JOURNAL;
    if (bytes.size() < cbStart + 4)
        return VROONJOURNAL_DAMAGED;
    const size_t cbBody = bytes.size() - 4;
    if (GetLE32(bytes.data() + cbBody) != VROONJOURNAL_Crc32(bytes.data(), cbBody))
        return VROONJOURNAL_DAMAGED;

    CJournalReader reader(bytes, cbBody);
    uint8_t abStart[cbStart];
    reader.Bytes(abStart, cbStart);
    VROON_JOURNAL journal;
    QTM_INSERT& insert = journal.insert;
    insert.result = QTM_CONVERT;
    const uint32_t cbName = reader.U32();
    if (cbName > MAX_NAME || cbName > reader.Left())
        return VROONJOURNAL_DAMAGED;
    journal.name.resize(cbName);
    reader.Bytes(&journal.name[0], cbName);
    insert.qwSourceSize = reader.U64();
    insert.cbInsert = reader.U64();
    insert.qwResultSize = reader.U64();
    insert.qwProbeAt = reader.U64();
    insert.cbProbe = reader.U32();
    journal.dwProbeCrc = reader.U32();
    insert.nTables = reader.U32();
    insert.nUpgraded = reader.U32();
    const uint32_t nPatches = reader.U32();
    if (nPatches > MAX_PATCHES)
        return VROONJOURNAL_DAMAGED;
    for (uint32_t i = 0; i < nPatches && reader.Ok(); ++i) {
        QTM_PATCH patch;
        patch.qwAt = reader.U64();
        const uint64_t cb = reader.U64();
        if (cb > reader.Left())
            return VROONJOURNAL_DAMAGED;
        patch.bytes.resize(static_cast<size_t>(cb));
        reader.Bytes(patch.bytes.data(), patch.bytes.size());
        insert.patches.push_back(std::move(patch));
    }
    if (!reader.Ok() || reader.Left() != 0 || !IsConsistent(insert))
        return VROONJOURNAL_DAMAGED;
    *pJournal = std::move(journal);
    return VROONJOURNAL_OK;
}
