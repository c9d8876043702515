#include "movie/qtmodern.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "movie/qtatoms.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("QTMODERN");

namespace {

constexpr uint32_t Fourcc(const char (&sz)[5]) {
    return QTATOM_Type(sz[0], sz[1], sz[2], sz[3]);
}

// Types a movie file may begin with; anything else is not taken for a movie.
const uint32_t s_adwFirstTypes[] = {
    Fourcc("ftyp"), Fourcc("moov"), Fourcc("mdat"), Fourcc("free"), Fourcc("skip"), Fourcc("wide"),
    Fourcc("pdin"), Fourcc("uuid"), Fourcc("moof"), Fourcc("styp"), Fourcc("sidx"), Fourcc("pnot"),
    Fourcc("junk"), Fourcc("meta"),
};

// Containers whose children the layout tree shows.
const uint32_t s_adwContainers[] = {
    Fourcc("moov"), Fourcc("trak"), Fourcc("mdia"), Fourcc("minf"), Fourcc("stbl"), Fourcc("edts"),
    Fourcc("dinf"), Fourcc("udta"), Fourcc("mvex"), Fourcc("moof"), Fourcc("traf"), Fourcc("mfra"),
};

// The containers from moov down to the sample table that holds the chunk offsets.
const uint32_t s_adwTablePath[] = {QTATOM_TRAK, QTATOM_MDIA, QTATOM_MINF, QTATOM_STBL};
const int TABLE_LEVEL = sizeof(s_adwTablePath) / sizeof(s_adwTablePath[0]);

// Deeper nesting than any real movie has; the tree stops here so a crafted file cannot recurse without end.
const int MAX_TREE_DEPTH = 16;

uint32_t GetBE32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}

uint64_t GetBE64(const uint8_t* p) {
    return static_cast<uint64_t>(GetBE32(p)) << 32 | GetBE32(p + 4);
}

void PutBE32(uint8_t* p, uint32_t dw) {
    p[0] = static_cast<uint8_t>(dw >> 24);
    p[1] = static_cast<uint8_t>(dw >> 16);
    p[2] = static_cast<uint8_t>(dw >> 8);
    p[3] = static_cast<uint8_t>(dw);
}

void PutBE64(uint8_t* p, uint64_t qw) {
    PutBE32(p, static_cast<uint32_t>(qw >> 32));
    PutBE32(p + 4, static_cast<uint32_t>(qw));
}

void AppendBE32(std::vector<uint8_t>& out, uint32_t dw) {
    uint8_t ab[4];
    PutBE32(ab, dw);
    out.insert(out.end(), ab, ab + 4);
}

void AppendBE64(std::vector<uint8_t>& out, uint64_t qw) {
    uint8_t ab[8];
    PutBE64(ab, qw);
    out.insert(out.end(), ab, ab + 8);
}

bool IsOneOf(uint32_t dwType, const uint32_t* pdwTypes, size_t nTypes) {
    return std::find(pdwTypes, pdwTypes + nTypes, dwType) != pdwTypes + nTypes;
}

// Type bytes as writers use them: printable ASCII, and the copyright sign of QuickTime's user data.
bool IsPlausibleType(uint32_t dwType) {
    for (int nShift = 24; nShift >= 0; nShift -= 8) {
        const uint8_t b = static_cast<uint8_t>(dwType >> nShift);
        if (!((b >= 0x20 && b < 0x7f) || b == 0xa9))
            return false;
    }
    return true;
}

enum HEADER { HEADER_OK, HEADER_STOP, HEADER_FAILED };

// Reads the header of the atom at qwStart, which must end by qwEnd. At the top level a size field 0 means the
// rest of the file, and an atom that passes qwEnd means the file is cut short. Inside a container a size 0 or
// fewer than 8 bytes left end the children (QuickTime ends user data with a zero word), and a child passing
// its parent's end is a damaged header.
HEADER ReadHeader(CQTModernSource& source, uint64_t qwStart, uint64_t qwEnd, int nDepth, QTM_ATOM* pAtom,
                  QTM_RESULT* pResult, uint64_t* pqwWhere) {
    const bool fTopLevel = nDepth == 0;
    const uint64_t qwLeft = qwEnd - qwStart;
    auto Fail = [&](QTM_RESULT result, uint64_t qwWhere) {
        *pResult = result;
        *pqwWhere = qwWhere;
        return HEADER_FAILED;
    };
    if (qwLeft < 8)
        return fTopLevel ? Fail(QTM_TRUNCATED, source.Size()) : HEADER_STOP;
    uint8_t abHeader[16];
    if (!source.ReadAt(qwStart, abHeader, 8))
        return Fail(QTM_READ_ERROR, qwStart);
    const uint32_t dwSize = GetBE32(abHeader);
    pAtom->dwType = GetBE32(abHeader + 4);
    pAtom->qwStart = qwStart;
    pAtom->cbHeader = 8;
    pAtom->nDepth = nDepth;
    if (dwSize == 0 && !fTopLevel)
        return HEADER_STOP;
    if (!IsPlausibleType(pAtom->dwType))
        return Fail(QTM_BAD_ATOM, qwStart);
    if (dwSize == 1) {
        if (qwLeft < 16)
            return fTopLevel ? Fail(QTM_TRUNCATED, source.Size()) : Fail(QTM_BAD_ATOM, qwStart);
        if (!source.ReadAt(qwStart + 8, abHeader + 8, 8))
            return Fail(QTM_READ_ERROR, qwStart + 8);
        pAtom->cbHeader = 16;
        pAtom->qwSize = GetBE64(abHeader + 8);
    } else {
        pAtom->qwSize = dwSize == 0 ? qwLeft : dwSize;
    }
    if (pAtom->qwSize < pAtom->cbHeader)
        return Fail(QTM_BAD_ATOM, qwStart);
    if (pAtom->qwSize > qwLeft)
        return fTopLevel ? Fail(QTM_TRUNCATED, source.Size()) : Fail(QTM_BAD_ATOM, qwStart);
    return HEADER_OK;
}

// Calls fnChild for every child between qwStart and qwEnd. Returns QTM_OK when the walk ended cleanly,
// with *pqwStop where it stopped (before any trailing bytes that are no atom); otherwise the failure.
template <class FN>
QTM_RESULT WalkChildren(CQTModernSource& source, uint64_t qwStart, uint64_t qwEnd, int nDepth, uint64_t* pqwWhere,
                        uint64_t* pqwStop, FN&& fnChild) {
    uint64_t qwAt = qwStart;
    while (qwAt < qwEnd) {
        QTM_ATOM atom;
        QTM_RESULT result = QTM_OK;
        const HEADER header = ReadHeader(source, qwAt, qwEnd, nDepth, &atom, &result, pqwWhere);
        if (header == HEADER_FAILED)
            return result;
        if (header == HEADER_STOP)
            break;
        result = fnChild(atom);
        if (result != QTM_OK)
            return result;
        qwAt += atom.qwSize;
    }
    if (pqwStop)
        *pqwStop = qwAt;
    return QTM_OK;
}

// The top-level atoms of a movie file. The first must be of a type a movie begins with.
QTM_RESULT ReadTopLevel(CQTModernSource& source, std::vector<QTM_ATOM>* pAtoms, uint64_t* pqwWhere) {
    pAtoms->clear();
    *pqwWhere = 0;
    if (source.Size() == 0)
        return QTM_EMPTY;
    uint8_t abFirst[8];
    if (source.Size() < 8 || !source.ReadAt(0, abFirst, sizeof(abFirst)) ||
        !IsOneOf(GetBE32(abFirst + 4), s_adwFirstTypes, sizeof(s_adwFirstTypes) / 4))
        return QTM_NOT_MOVIE;
    const QTM_RESULT result = WalkChildren(source, 0, source.Size(), 0, pqwWhere, nullptr, [&](const QTM_ATOM& atom) {
        pAtoms->push_back(atom);
        return QTM_OK;
    });
    if (pAtoms->empty() && result == QTM_BAD_ATOM) {
        *pqwWhere = 0;
        return QTM_NOT_MOVIE;
    }
    return result;
}

// The index of the first top-level atom of a type, or atoms.size().
size_t FindFirst(const std::vector<QTM_ATOM>& atoms, uint32_t dwType, size_t iFrom = 0) {
    for (size_t i = iFrom; i < atoms.size(); ++i) {
        if (atoms[i].dwType == dwType)
            return i;
    }
    return atoms.size();
}

// One chunk offset table inside the moov buffer.
struct TABLE {
    uint64_t ibAtom;  // the atom's start in the moov buffer
    QTM_ATOM atom;
    bool f64;             // co64 as read
    bool fUpgrade;        // an stco written as co64
    uint32_t nEntries;
    uint64_t ibEntries;   // the first entry in the moov buffer
};

struct MOOVINFO {
    std::vector<TABLE> tables;
    bool fCompressed = false;
    bool fFragmented = false;
};

// Finds the chunk offset tables below moov (trak, mdia, minf, stbl) and notes a compressed or fragmented
// header. Offsets are those of the moov buffer.
QTM_RESULT CollectTables(CQTModernSource& moov, uint64_t qwStart, uint64_t qwEnd, int nLevel, MOOVINFO* pInfo,
                         uint64_t* pqwWhere) {
    return WalkChildren(moov, qwStart, qwEnd, nLevel + 1, pqwWhere, nullptr, [&](const QTM_ATOM& atom) {
        if (nLevel == 0 && atom.dwType == QTATOM_CMOV)
            pInfo->fCompressed = true;
        if (nLevel == 0 && atom.dwType == QTATOM_MVEX)
            pInfo->fFragmented = true;
        const uint64_t qwContent = atom.qwStart + atom.cbHeader;
        const uint64_t qwAtomEnd = atom.qwStart + atom.qwSize;
        if (nLevel < TABLE_LEVEL && atom.dwType == s_adwTablePath[nLevel])
            return CollectTables(moov, qwContent, qwAtomEnd, nLevel + 1, pInfo, pqwWhere);
        if (nLevel == TABLE_LEVEL && (atom.dwType == QTATOM_STCO || atom.dwType == QTATOM_CO64)) {
            TABLE table = {atom.qwStart, atom, atom.dwType == QTATOM_CO64, false, 0, qwContent + 8};
            uint8_t abCount[8];
            const uint64_t cbContent = atom.qwSize - atom.cbHeader;
            const uint64_t cbEntry = table.f64 ? 8 : 4;
            if (cbContent < 8 || !moov.ReadAt(qwContent, abCount, 8)) {
                *pqwWhere = atom.qwStart;
                return QTM_DAMAGED_TABLE;
            }
            table.nEntries = GetBE32(abCount + 4);
            if (table.nEntries > (cbContent - 8) / cbEntry) {
                *pqwWhere = atom.qwStart;
                return QTM_DAMAGED_TABLE;
            }
            pInfo->tables.push_back(table);
        }
        return QTM_OK;
    });
}

QTM_RESULT ReadMoov(CQTModernSource& source, const QTM_ATOM& moov, std::vector<uint8_t>* pBytes, uint64_t* pqwWhere) {
    if (moov.qwSize > QTM_MAX_MOOV)
        return QTM_MOOV_TOO_LARGE;
    try {
        pBytes->resize(static_cast<size_t>(moov.qwSize));
    } catch (const std::bad_alloc&) {
        return QTM_MOOV_TOO_LARGE;
    }
    if (!source.ReadAt(moov.qwStart, pBytes->data(), pBytes->size())) {
        *pqwWhere = moov.qwStart;
        return QTM_READ_ERROR;
    }
    return QTM_OK;
}

// Reads moov into memory and finds its tables.
QTM_RESULT ReadMoovInfo(CQTModernSource& source, const QTM_ATOM& moov, std::vector<uint8_t>* pBytes,
                        MOOVINFO* pInfo, uint64_t* pqwWhere) {
    QTM_RESULT result = ReadMoov(source, moov, pBytes, pqwWhere);
    if (result != QTM_OK)
        return result;
    CQTMemorySource memory(pBytes->data(), pBytes->size());
    result = CollectTables(memory, moov.cbHeader, moov.qwSize, 0, pInfo, pqwWhere);
    if (result != QTM_OK)
        *pqwWhere += moov.qwStart;  // the walk counted from the start of moov
    return result;
}

// Where the media data of the source lands in the output: each mdat's content range and its shift.
class COffsetMap {
public:
    void Add(const QTM_ATOM& atom, uint64_t qwNewStart) {
        m_ranges.push_back({atom.qwStart + atom.cbHeader, atom.qwStart + atom.qwSize, qwNewStart - atom.qwStart});
    }
    void Clear() { m_ranges.clear(); }
    // The new offset of a chunk, false when the chunk lies in no mdat's data. The ranges are in file order.
    bool Map(uint64_t qwOffset, uint64_t* pqwNew) const {
        auto it = std::upper_bound(m_ranges.begin(), m_ranges.end(), qwOffset,
                                   [](uint64_t qw, const RANGE& range) { return qw < range.qwStart; });
        if (it == m_ranges.begin())
            return false;
        --it;
        if (qwOffset >= it->qwEnd)
            return false;
        *pqwNew = qwOffset + it->qwShift;  // unsigned arithmetic: a move towards the front wraps back exactly
        return true;
    }

private:
    struct RANGE {
        uint64_t qwStart, qwEnd, qwShift;
    };
    std::vector<RANGE> m_ranges;
};

uint64_t ReadEntry(const std::vector<uint8_t>& moov, const TABLE& table, uint32_t i) {
    const uint8_t* p = moov.data() + table.ibEntries;
    return table.f64 ? GetBE64(p + 8ull * i) : GetBE32(p + 4ull * i);
}

class CPlanner {
public:
    CPlanner(const std::vector<QTM_ATOM>& top, size_t iMoov, const QTM_OPTIONS& options) : m_top(top), m_iMoov(iMoov) {
        const size_t iFirstMdat = FindFirst(top, QTATOM_MDAT);
        // Atoms before the first media data stay at the front; moov follows; then the rest in order.
        for (size_t pass = 0; pass < 2; ++pass) {
            for (size_t i = 0; i < top.size(); ++i) {
                const bool fFront = i < iFirstMdat;
                if (fFront != (pass == 0) || i == iMoov)
                    continue;
                if (options.fDropFree && (top[i].dwType == QTATOM_FREE || top[i].dwType == QTATOM_SKIP))
                    continue;
                m_order.push_back(i);
            }
            if (pass == 0)
                m_order.push_back(iMoov);
        }
    }

    // Places every atom for a moov of qwMoovSize bytes.
    void Place(uint64_t qwMoovSize) {
        m_map.Clear();
        uint64_t qwAt = 0;
        for (size_t i : m_order) {
            if (m_top[i].dwType == QTATOM_MDAT)
                m_map.Add(m_top[i], qwAt);
            qwAt += i == m_iMoov ? qwMoovSize : m_top[i].qwSize;
        }
        m_qwOutputSize = qwAt;
    }

    const COffsetMap& Map() const { return m_map; }
    uint64_t OutputSize() const { return m_qwOutputSize; }

    std::vector<QTM_PIECE> Pieces(uint64_t qwMoovSize) const {
        std::vector<QTM_PIECE> pieces;
        for (size_t i : m_order) {
            if (i == m_iMoov) {
                pieces.push_back({true, 0, qwMoovSize});
            } else if (!pieces.empty() && !pieces.back().fMoov &&
                       pieces.back().qwSourceStart + pieces.back().qwSize == m_top[i].qwStart) {
                pieces.back().qwSize += m_top[i].qwSize;  // neighbours in the source are copied as one range
            } else {
                pieces.push_back({false, m_top[i].qwStart, m_top[i].qwSize});
            }
        }
        return pieces;
    }

private:
    const std::vector<QTM_ATOM>& m_top;
    size_t m_iMoov;
    std::vector<size_t> m_order;
    COffsetMap m_map;
    uint64_t m_qwOutputSize = 0;
};

// Writes the moov atom again with every chunk offset mapped, upgraded tables as co64, and the sizes of the
// containers on the way recomputed. Every other byte is copied as is.
class CMoovWriter {
public:
    CMoovWriter(const std::vector<uint8_t>& moov, const std::vector<TABLE>& tables, const COffsetMap& map)
        : m_moov(moov), m_source(moov.data(), moov.size()), m_tables(tables), m_map(map) {}

    QTM_RESULT Write(const QTM_ATOM& moov, std::vector<uint8_t>* pOut, uint64_t* pqwWhere) {
        QTM_ATOM atom = moov;
        atom.qwStart = 0;
        m_pqwWhere = pqwWhere;
        return WriteContainer(atom, 0, pOut);
    }

private:
    QTM_RESULT WriteContainer(const QTM_ATOM& atom, int nLevel, std::vector<uint8_t>* pOut) {
        const size_t ibHeader = pOut->size();
        pOut->insert(pOut->end(), m_moov.begin() + atom.qwStart, m_moov.begin() + atom.qwStart + atom.cbHeader);
        uint64_t qwStop = 0;
        const uint64_t qwEnd = atom.qwStart + atom.qwSize;
        QTM_RESULT result = WalkChildren(m_source, atom.qwStart + atom.cbHeader, qwEnd, nLevel + 1, m_pqwWhere,
                                         &qwStop, [&](const QTM_ATOM& child) {
            if (nLevel < TABLE_LEVEL && child.dwType == s_adwTablePath[nLevel])
                return WriteContainer(child, nLevel + 1, pOut);
            const TABLE* pTable = FindTable(child.qwStart);
            if (nLevel == TABLE_LEVEL && pTable)
                return WriteTable(*pTable, pOut);
            pOut->insert(pOut->end(), m_moov.begin() + child.qwStart, m_moov.begin() + child.qwStart + child.qwSize);
            return QTM_OK;
        });
        if (result != QTM_OK)
            return result;
        pOut->insert(pOut->end(), m_moov.begin() + qwStop, m_moov.begin() + qwEnd);
        return PatchSize(pOut, ibHeader, atom.cbHeader);
    }

    QTM_RESULT WriteTable(const TABLE& table, std::vector<uint8_t>* pOut) {
        const size_t ibHeader = pOut->size();
        const QTM_ATOM& atom = table.atom;
        // Header, version and flags, count.
        pOut->insert(pOut->end(), m_moov.begin() + atom.qwStart, m_moov.begin() + table.ibEntries);
        if (table.fUpgrade)
            PutBE32(pOut->data() + ibHeader + atom.cbHeader - 4, QTATOM_CO64);
        for (uint32_t i = 0; i < table.nEntries; ++i) {
            uint64_t qwNew = 0;
            if (!m_map.Map(ReadEntry(m_moov, table, i), &qwNew)) {
                *m_pqwWhere = ReadEntry(m_moov, table, i);
                return QTM_CHUNK_OUTSIDE_MEDIA;
            }
            if (table.f64 || table.fUpgrade)
                AppendBE64(*pOut, qwNew);
            else
                AppendBE32(*pOut, static_cast<uint32_t>(qwNew));
        }
        const uint64_t cbEntry = table.f64 ? 8 : 4;
        const uint64_t ibTail = table.ibEntries + cbEntry * table.nEntries;
        pOut->insert(pOut->end(), m_moov.begin() + ibTail, m_moov.begin() + atom.qwStart + atom.qwSize);
        return PatchSize(pOut, ibHeader, atom.cbHeader);
    }

    QTM_RESULT PatchSize(std::vector<uint8_t>* pOut, size_t ibHeader, uint32_t cbHeader) {
        const uint64_t qwSize = pOut->size() - ibHeader;
        if (cbHeader == 16) {
            PutBE64(pOut->data() + ibHeader + 8, qwSize);
        } else {
            if (qwSize > 0xffffffffull)
                return QTM_MOOV_TOO_LARGE;
            PutBE32(pOut->data() + ibHeader, static_cast<uint32_t>(qwSize));
        }
        return QTM_OK;
    }

    const TABLE* FindTable(uint64_t ibAtom) const {
        for (const TABLE& table : m_tables) {
            if (table.ibAtom == ibAtom)
                return &table;
        }
        return nullptr;
    }

    const std::vector<uint8_t>& m_moov;
    CQTMemorySource m_source;
    const std::vector<TABLE>& m_tables;
    const COffsetMap& m_map;
    uint64_t* m_pqwWhere = nullptr;
};

// Marks every stco table with an entry beyond 32 bits for a co64 table. Returns the growth of moov, or
// QTM_CHUNK_OUTSIDE_MEDIA through *pResult when a chunk lies outside the media data.
uint64_t MarkUpgrades(const std::vector<uint8_t>& moov, std::vector<TABLE>* pTables, const COffsetMap& map,
                      QTM_RESULT* pResult, uint64_t* pqwWhere) {
    uint64_t cbGrowth = 0;
    for (TABLE& table : *pTables) {
        if (table.f64 || table.fUpgrade)
            continue;
        for (uint32_t i = 0; i < table.nEntries; ++i) {
            uint64_t qwNew = 0;
            if (!map.Map(ReadEntry(moov, table, i), &qwNew)) {
                *pResult = QTM_CHUNK_OUTSIDE_MEDIA;
                *pqwWhere = ReadEntry(moov, table, i);
                return 0;
            }
            if (qwNew > 0xffffffffull) {
                table.fUpgrade = true;
                cbGrowth += 4ull * table.nEntries;
                break;
            }
        }
    }
    return cbGrowth;
}

}  // namespace

bool CQTMemorySource::ReadAt(uint64_t qwOffset, void* pBuffer, size_t cb) {
    if (qwOffset > m_cb || cb > m_cb - qwOffset)
        return false;
    memcpy(pBuffer, m_pData + qwOffset, cb);
    return true;
}

namespace {

// What both ways of converting start from: the top-level atoms, and moov in memory with its tables.
struct PREPARED {
    std::vector<QTM_ATOM> top;
    size_t iMoov = 0;
    std::vector<uint8_t> moov;
    MOOVINFO info;
};

// QTM_CONVERT when the movie needs converting and can be, with *pPrepared filled; QTM_ALREADY_FAST_START, or the
// reason it cannot be converted.
QTM_RESULT Prepare(CQTModernSource& source, PREPARED* pPrepared, uint64_t* pqwWhere) {
    std::vector<QTM_ATOM>& top = pPrepared->top;
    QTM_RESULT result = ReadTopLevel(source, &top, pqwWhere);
    if (result != QTM_OK)
        return result;
    const size_t iMoov = FindFirst(top, QTATOM_MOOV);
    if (iMoov == top.size())
        return QTM_NO_MOOV;
    const size_t iSecondMoov = FindFirst(top, QTATOM_MOOV, iMoov + 1);
    if (iSecondMoov != top.size()) {
        *pqwWhere = top[iSecondMoov].qwStart;
        return QTM_SEVERAL_MOOV;
    }
    // A movie whose moov precedes all media data plays while it downloads, fragmented or not.
    if (iMoov < FindFirst(top, QTATOM_MDAT))
        return QTM_ALREADY_FAST_START;
    if (FindFirst(top, QTATOM_MOOF) != top.size())
        return QTM_FRAGMENTED;
    pPrepared->iMoov = iMoov;
    result = ReadMoovInfo(source, top[iMoov], &pPrepared->moov, &pPrepared->info, pqwWhere);
    if (result != QTM_OK)
        return result;
    if (pPrepared->info.fCompressed)
        return QTM_COMPRESSED;
    if (pPrepared->info.fFragmented)
        return QTM_FRAGMENTED;
    return QTM_CONVERT;
}

unsigned CountUpgraded(const std::vector<TABLE>& tables) {
    unsigned nUpgraded = 0;
    for (const TABLE& table : tables)
        nUpgraded += table.fUpgrade ? 1 : 0;
    return nUpgraded;
}

uint64_t RoundUp(uint64_t qw, uint64_t cbUnit) {
    return (qw + cbUnit - 1) / cbUnit * cbUnit;
}

}  // namespace

bool QTMODERN_Plan(CQTModernSource& source, const QTM_OPTIONS& options, QTM_PLAN* pPlan) {
    MFX_PRE(pPlan);
    *pPlan = QTM_PLAN();
    auto Finish = [pPlan](QTM_RESULT result) {
        pPlan->result = result;
        return result == QTM_CONVERT || result == QTM_ALREADY_FAST_START;
    };
    PREPARED prepared;
    QTM_RESULT result = Prepare(source, &prepared, &pPlan->qwWhere);
    if (result != QTM_CONVERT)
        return Finish(result);
    const QTM_ATOM& moovAtom = prepared.top[prepared.iMoov];

    // Upgrading a table grows moov, which moves the media data further and may push more tables past 32 bits;
    // tables only ever upgrade, so this settles after at most one round per table.
    CPlanner planner(prepared.top, prepared.iMoov, options);
    uint64_t qwMoovSize = moovAtom.qwSize;
    for (;;) {
        planner.Place(qwMoovSize);
        result = QTM_OK;
        const uint64_t cbGrowth =
            MarkUpgrades(prepared.moov, &prepared.info.tables, planner.Map(), &result, &pPlan->qwWhere);
        if (result != QTM_OK)
            return Finish(result);
        if (cbGrowth == 0)
            break;
        qwMoovSize += cbGrowth;
    }

    CMoovWriter writer(prepared.moov, prepared.info.tables, planner.Map());
    result = writer.Write(moovAtom, &pPlan->moov, &pPlan->qwWhere);
    if (result != QTM_OK)
        return Finish(result);
    MFX_VERIFY(pPlan->moov.size() == qwMoovSize);
    pPlan->pieces = planner.Pieces(pPlan->moov.size());
    pPlan->qwOutputSize = planner.OutputSize();
    pPlan->nTables = static_cast<unsigned>(prepared.info.tables.size());
    pPlan->nUpgraded = CountUpgraded(prepared.info.tables);
    return Finish(QTM_CONVERT);
}

// The inserted head holds copies of the atoms in front of the first mdat, the new moov and a free atom for the
// rest of the last block. Every byte of the source keeps its place relative to the others, so every chunk
// moves by the size of the insertion alone; the originals of the leading atoms become one free atom and the
// old moov another, or it is cut off when it ended the file.
bool QTMODERN_PlanInsert(CQTModernSource& source, uint32_t cbBlock, QTM_INSERT* pInsert) {
    MFX_PRE(pInsert && cbBlock > 0);
    *pInsert = QTM_INSERT();
    auto Finish = [pInsert](QTM_RESULT result) {
        pInsert->result = result;
        return result == QTM_CONVERT || result == QTM_ALREADY_FAST_START;
    };
    PREPARED prepared;
    QTM_RESULT result = Prepare(source, &prepared, &pInsert->qwWhere);
    if (result != QTM_CONVERT)
        return Finish(result);
    const QTM_ATOM& moovAtom = prepared.top[prepared.iMoov];
    const QTM_ATOM& firstMdat = prepared.top[FindFirst(prepared.top, QTATOM_MDAT)];
    const uint64_t qwLeading = firstMdat.qwStart;
    if (qwLeading > QTM_MAX_LEADING)
        return Finish(QTM_HEAD_TOO_LARGE);

    // As for the copy, widening tables grows moov; here that may take one more block, which moves every chunk
    // further. The insertion only grows, so this settles too.
    uint64_t qwMoovSize = moovAtom.qwSize;
    uint64_t cbInsert = 0;
    COffsetMap map;
    for (;;) {
        cbInsert = RoundUp(qwLeading + qwMoovSize + 8, cbBlock);
        if (cbInsert > QTM_MAX_HEAD)
            return Finish(QTM_HEAD_TOO_LARGE);
        map.Clear();
        for (const QTM_ATOM& atom : prepared.top) {
            if (atom.dwType == QTATOM_MDAT)
                map.Add(atom, atom.qwStart + cbInsert);
        }
        result = QTM_OK;
        const uint64_t cbGrowth = MarkUpgrades(prepared.moov, &prepared.info.tables, map, &result, &pInsert->qwWhere);
        if (result != QTM_OK)
            return Finish(result);
        if (cbGrowth == 0)
            break;
        qwMoovSize += cbGrowth;
    }

    std::vector<uint8_t> head(static_cast<size_t>(qwLeading));
    if (qwLeading > 0 && !source.ReadAt(0, head.data(), head.size())) {
        pInsert->qwWhere = 0;
        return Finish(QTM_READ_ERROR);
    }
    CMoovWriter writer(prepared.moov, prepared.info.tables, map);
    result = writer.Write(moovAtom, &head, &pInsert->qwWhere);
    if (result != QTM_OK)
        return Finish(result);
    MFX_VERIFY(head.size() == qwLeading + qwMoovSize);
    const uint64_t cbFree = cbInsert - head.size();
    AppendBE32(head, static_cast<uint32_t>(cbFree));
    AppendBE32(head, QTATOM_FREE);
    head.resize(static_cast<size_t>(cbInsert));

    pInsert->cbInsert = cbInsert;
    pInsert->qwSourceSize = source.Size();
    pInsert->patches.push_back({0, std::move(head)});
    if (qwLeading > 0) {
        QTM_PATCH leading = {cbInsert, {}};
        AppendBE32(leading.bytes, static_cast<uint32_t>(qwLeading));
        AppendBE32(leading.bytes, QTATOM_FREE);
        pInsert->patches.push_back(std::move(leading));
    }
    const bool fMoovLast = prepared.iMoov + 1 == prepared.top.size();
    pInsert->qwResultSize = cbInsert + (fMoovLast ? moovAtom.qwStart : source.Size());
    if (!fMoovLast) {
        QTM_PATCH freed = {cbInsert + moovAtom.qwStart + 4, {}};
        AppendBE32(freed.bytes, QTATOM_FREE);
        pInsert->patches.push_back(std::move(freed));
    }
    pInsert->qwProbeAt = firstMdat.qwStart;
    pInsert->cbProbe = static_cast<uint32_t>(std::min<uint64_t>(firstMdat.qwSize, QTM_PROBE_SIZE));
    pInsert->nTables = static_cast<unsigned>(prepared.info.tables.size());
    pInsert->nUpgraded = CountUpgraded(prepared.info.tables);
    return Finish(QTM_CONVERT);
}

CQTInsertedSource::CQTInsertedSource(CQTModernSource& source, const QTM_INSERT& insert)
    : m_source(source), m_insert(insert) {}

// The source's bytes behind the inserted range, zeros inside it, and the patches over both.
bool CQTInsertedSource::ReadAt(uint64_t qwOffset, void* pBuffer, size_t cb) {
    const uint64_t cbInsert = m_insert.cbInsert;
    if (qwOffset > m_insert.qwResultSize || cb > m_insert.qwResultSize - qwOffset)
        return false;
    uint8_t* p = static_cast<uint8_t*>(pBuffer);
    const uint64_t qwEnd = qwOffset + cb;
    const size_t cbZeros = static_cast<size_t>(qwOffset < cbInsert ? std::min(qwEnd, cbInsert) - qwOffset : 0);
    memset(p, 0, cbZeros);
    if (cbZeros < cb && !m_source.ReadAt(qwOffset + cbZeros - cbInsert, p + cbZeros, cb - cbZeros))
        return false;
    for (const QTM_PATCH& patch : m_insert.patches) {
        const uint64_t qwFrom = std::max(qwOffset, patch.qwAt);
        const uint64_t qwTo = std::min(qwEnd, patch.qwAt + patch.bytes.size());
        if (qwFrom < qwTo)
            memcpy(p + (qwFrom - qwOffset), patch.bytes.data() + (qwFrom - patch.qwAt),
                   static_cast<size_t>(qwTo - qwFrom));
    }
    return true;
}

QTM_RESULT QTMODERN_Verify(CQTModernSource& output, uint64_t* pqwWhere) {
    MFX_PRE(pqwWhere);
    std::vector<QTM_ATOM> top;
    QTM_RESULT result = ReadTopLevel(output, &top, pqwWhere);
    if (result != QTM_OK)
        return result;
    const size_t iMoov = FindFirst(top, QTATOM_MOOV);
    if (iMoov == top.size())
        return QTM_NO_MOOV;
    const size_t iFirstMdat = FindFirst(top, QTATOM_MDAT);
    if (iFirstMdat < iMoov) {
        *pqwWhere = top[iFirstMdat].qwStart;
        return QTM_NOT_FAST_START;
    }
    std::vector<uint8_t> moov;
    MOOVINFO info;
    result = ReadMoovInfo(output, top[iMoov], &moov, &info, pqwWhere);
    if (result != QTM_OK)
        return result;
    COffsetMap map;  // shifts nothing: it only answers whether an offset is inside an mdat
    for (const QTM_ATOM& atom : top) {
        if (atom.dwType == QTATOM_MDAT)
            map.Add(atom, atom.qwStart);
    }
    for (const TABLE& table : info.tables) {
        for (uint32_t i = 0; i < table.nEntries; ++i) {
            uint64_t qwSame = 0;
            if (!map.Map(ReadEntry(moov, table, i), &qwSame)) {
                *pqwWhere = ReadEntry(moov, table, i);
                return QTM_CHUNK_OUTSIDE_MEDIA;
            }
        }
    }
    return QTM_ALREADY_FAST_START;
}

namespace {

QTM_RESULT ReadTree(CQTModernSource& source, const QTM_ATOM& parent, std::vector<QTM_ATOM>* pAtoms,
                    uint64_t* pqwWhere) {
    if (!IsOneOf(parent.dwType, s_adwContainers, sizeof(s_adwContainers) / 4) || parent.nDepth >= MAX_TREE_DEPTH)
        return QTM_OK;
    return WalkChildren(source, parent.qwStart + parent.cbHeader, parent.qwStart + parent.qwSize, parent.nDepth + 1,
                        pqwWhere, nullptr, [&](const QTM_ATOM& child) {
                            pAtoms->push_back(child);
                            return ReadTree(source, child, pAtoms, pqwWhere);
                        });
}

}  // namespace

QTM_RESULT QTMODERN_ReadLayout(CQTModernSource& source, bool fTree, std::vector<QTM_ATOM>* pAtoms, uint64_t* pqwWhere) {
    MFX_PRE(pAtoms && pqwWhere);
    std::vector<QTM_ATOM> top;
    QTM_RESULT result = ReadTopLevel(source, &top, pqwWhere);
    pAtoms->clear();
    for (const QTM_ATOM& atom : top) {
        pAtoms->push_back(atom);
        if (fTree && result == QTM_OK) {
            const QTM_RESULT treeResult = ReadTree(source, atom, pAtoms, pqwWhere);
            if (treeResult != QTM_OK)
                result = treeResult;
        }
    }
    return result;
}

std::string QTMODERN_TypeName(uint32_t dwType) {
    char szType[5];
    QTATOM_TypeToText(dwType, szType);
    return szType;
}

std::string QTMODERN_Describe(QTM_RESULT result, uint64_t qwWhere) {
    const std::string where = std::to_string(qwWhere);
    switch (result) {
        case QTM_FAILED: return "internal error (a missing argument)";
        case QTM_OK: return "every atom read";
        case QTM_CONVERT: return "not in fast-start form";
        case QTM_ALREADY_FAST_START: return "already fast-start";
        case QTM_EMPTY: return "the file is empty";
        case QTM_NOT_MOVIE: return "not a movie";
        case QTM_TRUNCATED: return "truncated at byte " + where + " (an atom runs past the end of the file)";
        case QTM_BAD_ATOM: return "damaged atom header at byte " + where;
        case QTM_NO_MOOV: return "no moov atom (the movie header is missing)";
        case QTM_SEVERAL_MOOV: return "a second moov atom at byte " + where + " (not supported)";
        case QTM_COMPRESSED: return "compressed movie header (cmov) not supported";
        case QTM_FRAGMENTED: return "fragmented movie (moof) not supported";
        case QTM_DAMAGED_TABLE: return "damaged chunk offset table at byte " + where;
        case QTM_MOOV_TOO_LARGE: return "movie header (moov) too large";
        case QTM_CHUNK_OUTSIDE_MEDIA: return "a chunk offset (" + where + ") points outside the media data";
        case QTM_READ_ERROR: return "read error at byte " + where;
        case QTM_NOT_FAST_START: return "an mdat atom at byte " + where + " precedes moov";
        case QTM_HEAD_TOO_LARGE:
            return "the atoms in front of the media data are too large to insert";
    }
    return "unknown result";
}
