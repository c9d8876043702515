// Fast-start conversion for movies as today's writers make them: leading atoms (ftyp, wide, free, ...), several
// mdat atoms, 64-bit atom sizes and co64 tables, a last atom whose size field 0 means "to the end of the file".
//
// The conversion is planned first: the plan holds the output's rebuilt moov atom and the list of source ranges
// that follow it, so the caller copies the media data with whatever the platform copies fastest. Memory is the
// moov atom and nothing in proportion to the media data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Random access to the bytes of a movie: a file, or memory.
class CQTModernSource {
public:
    virtual ~CQTModernSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly cb bytes at qwOffset; false on a read error or when the range passes the end.
    virtual bool ReadAt(uint64_t qwOffset, void* pBuffer, size_t cb) = 0;
};

class CQTMemorySource : public CQTModernSource {
public:
    CQTMemorySource(const void* pData, size_t cb) : m_pData(static_cast<const uint8_t*>(pData)), m_cb(cb) {}
    uint64_t Size() const override { return m_cb; }
    bool ReadAt(uint64_t qwOffset, void* pBuffer, size_t cb) override;

private:
    const uint8_t* m_pData;
    size_t m_cb;
};

// Zero is a failure, so that a check that gives up with an empty result never reports success.
enum QTM_RESULT {
    QTM_FAILED,               // a precondition failed: a missing argument
    QTM_OK,                   // the walk or the reading went fine
    QTM_CONVERT,              // the plan is made: the movie needs converting
    QTM_ALREADY_FAST_START,   // moov precedes every mdat; nothing to do
    QTM_EMPTY,                // the file has no bytes
    QTM_NOT_MOVIE,            // the file does not begin with a movie atom
    QTM_TRUNCATED,            // an atom runs past the end of the file (where: the file's length)
    QTM_BAD_ATOM,             // an atom header that cannot be (where: its offset)
    QTM_NO_MOOV,              // no moov atom at the top level
    QTM_SEVERAL_MOOV,         // more than one moov atom at the top level (where: the second)
    QTM_COMPRESSED,           // the moov atom is compressed (cmov)
    QTM_FRAGMENTED,           // a fragmented movie (moof, or mvex in moov)
    QTM_DAMAGED_TABLE,        // a chunk offset table larger than its atom (where: its offset)
    QTM_MOOV_TOO_LARGE,       // moov larger than this tool holds in memory, or grown past its size field
    QTM_CHUNK_OUTSIDE_MEDIA,  // a chunk offset outside every mdat (where: the offset)
    QTM_READ_ERROR,           // the source could not be read (where: the offset)
    QTM_NOT_FAST_START,       // verification: an mdat precedes moov (where: its offset)
    QTM_HEAD_TOO_LARGE,       // insertion: the leading atoms and moov need more than an insertion holds
};

// One atom: its type bytes in file order as a big-endian number, where it starts, its whole size (header
// included; a size field 0 is resolved to the end of the file), its header size (8, or 16 with a 64-bit size)
// and its depth (0 at the top level).
struct QTM_ATOM {
    uint32_t dwType;
    uint64_t qwStart;
    uint64_t qwSize;
    uint32_t cbHeader;
    int nDepth;
};

// One part of the output: the rebuilt moov atom, or a range of the source copied as is.
struct QTM_PIECE {
    bool fMoov;
    uint64_t qwSourceStart;
    uint64_t qwSize;
};

struct QTM_OPTIONS {
    bool fDropFree;  // leave out top-level free and skip atoms
};

struct QTM_PLAN {
    QTM_RESULT result;
    uint64_t qwWhere;                // the byte the result speaks of, where it names one
    std::vector<uint8_t> moov;       // the output's moov atom
    std::vector<QTM_PIECE> pieces;   // the output in order
    uint64_t qwOutputSize;
    unsigned nTables;                // chunk offset tables found
    unsigned nUpgraded;              // stco tables written as co64
};

// The largest moov atom the conversion holds in memory.
const uint64_t QTM_MAX_MOOV = 1ull << 30;

// Makes the conversion plan. True for QTM_CONVERT and QTM_ALREADY_FAST_START.
bool QTMODERN_Plan(CQTModernSource& source, const QTM_OPTIONS& options, QTM_PLAN* pPlan);

// Bytes written over the file at an offset.
struct QTM_PATCH {
    uint64_t qwAt;
    std::vector<uint8_t> bytes;
};

// The conversion in place by inserting cbInsert bytes (a multiple of the file system's block) at the front of
// the file, which moves no media data: after the insertion the patches are written, in order, and the file is
// cut to qwResultSize. The first patch is the head that fills the inserted range.
struct QTM_INSERT {
    QTM_RESULT result;
    uint64_t qwWhere;
    uint64_t cbInsert;
    uint64_t qwSourceSize;
    uint64_t qwResultSize;
    std::vector<QTM_PATCH> patches;
    uint64_t qwProbeAt;  // a range of the source the conversion never writes (the first mdat's start), by which a
    uint32_t cbProbe;    // file is recognised before and after the insertion
    unsigned nTables;
    unsigned nUpgraded;
};

// The largest range of atoms in front of the first mdat, and the largest head, that an insertion takes; beyond
// them a movie is converted by copying.
const uint64_t QTM_MAX_LEADING = 16ull << 20;
const uint64_t QTM_MAX_HEAD = 256ull << 20;
const uint32_t QTM_PROBE_SIZE = 4096;

// Plans the conversion by insertion for a file system of cbBlock-byte blocks. True for QTM_CONVERT and
// QTM_ALREADY_FAST_START.
bool QTMODERN_PlanInsert(CQTModernSource& source, uint32_t cbBlock, QTM_INSERT* pInsert);

// The result of an insertion as a source, read through from the original: what the file will hold.
class CQTInsertedSource : public CQTModernSource {
public:
    CQTInsertedSource(CQTModernSource& source, const QTM_INSERT& insert);
    uint64_t Size() const override { return m_insert.qwResultSize; }
    bool ReadAt(uint64_t qwOffset, void* pBuffer, size_t cb) override;

private:
    CQTModernSource& m_source;
    const QTM_INSERT& m_insert;
};

// Re-walks a written output: moov precedes every mdat and every chunk offset lies inside an mdat's data.
// QTM_ALREADY_FAST_START when it holds, the failure otherwise.
QTM_RESULT QTMODERN_Verify(CQTModernSource& output, uint64_t* pqwWhere);

// The top-level atoms, and with fTree the known containers' children as well, in file order. QTM_OK when
// every atom could be read, the failure otherwise (the atoms read before it are listed).
QTM_RESULT QTMODERN_ReadLayout(CQTModernSource& source, bool fTree, std::vector<QTM_ATOM>* pAtoms, uint64_t* pqwWhere);

// A sentence for the user saying what a result means.
std::string QTMODERN_Describe(QTM_RESULT result, uint64_t qwWhere);
// The four type characters of an atom, unprintable bytes as '?'.
std::string QTMODERN_TypeName(uint32_t dwType);
