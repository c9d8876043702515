#include "movie/qtfile.h"

#include <cstring>
#include <new>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("QTFILE");

// Movies of 4 GB and more are sought and measured through the C library's off_t, 32-bit targets included.
static_assert(sizeof(off_t) == 8, "the movie library is built with 64-bit file offsets");

namespace {

const uint32_t CBHEADER = 8;
const uint32_t CBHEADER64 = 16;
// The size field that announces a 64-bit size after the type.
const uint32_t SIZE_EXTENDED = 1;
const size_t CBSTREAMBUFFER = 1024 * 1024;

// Progress is reported in 32 bits: the smallest power-of-two unit in which the whole copy fits.
unsigned ProgressShift(uint64_t qwTotal) {
    unsigned nShift = 0;
    while ((qwTotal >> nShift) > UINT32_MAX)
        ++nShift;
    return nShift;
}

}  // namespace

CQTFile::CQTFile() : m_file(nullptr), m_qwLength(0), m_fDamaged(false), m_pStreamBuffer(nullptr) {}

CQTFile::~CQTFile() {
    Close();
}

bool CQTFile::UI_IsCancelled() {
    return false;
}

void CQTFile::UI_Status(const char* szText) {}

void CQTFile::UI_SetRange(uint32_t dwTotal) {}

void CQTFile::UI_SetPosition(uint32_t dwDone) {}

bool CQTFile::Open(const char* szPath, const char* szMode) {
    Close();
    bool fOk;
    m_file = fopen(szPath, szMode);
    // The report quotes the check as written here, spacing included.
    // clang-format off
    if (!MFX_VERIFY(fOk = (m_file!=NULL)))
        return false;
    // clang-format on
    // The copy moves 4096 bytes at a time; a larger stream buffer lets the system move the data in far fewer
    // calls, which is what makes the copy as fast as copying the file. The C library would ignore the size
    // without a buffer of our own; without one the stream keeps its default buffer.
    m_pStreamBuffer = new (std::nothrow) char[CBSTREAMBUFFER];
    if (m_pStreamBuffer)
        setvbuf(m_file, m_pStreamBuffer, _IOFBF, CBSTREAMBUFFER);
    // The length bounds every atom read later, so a size field can never send a walk or an allocation
    // past the end of the file.
    if (fseeko(m_file, 0, SEEK_END) == 0) {
        const off_t nLength = ftello(m_file);
        m_qwLength = nLength > 0 ? uint64_t(nLength) : 0;
    }
    fOk = fseeko(m_file, 0, SEEK_SET) == 0;
    MFX_VERIFY(fOk);
    return fOk;
}

bool CQTFile::OpenRead(const char* szPath) {
    return Open(szPath, "rb");
}

bool CQTFile::OpenWrite(const char* szPath) {
    return Open(szPath, "wb");
}

bool CQTFile::OpenUpdate(const char* szPath) {
    return Open(szPath, "r+b");
}

void CQTFile::Close() {
    if (m_file)
        fclose(m_file);
    m_file = nullptr;
    m_qwLength = 0;
    m_fDamaged = false;
    delete[] m_pStreamBuffer;
    m_pStreamBuffer = nullptr;
}

int CQTFile::Seek(int64_t nOffset, int nOrigin) {
    if (!m_file)
        return -1;
    return fseeko(m_file, off_t(nOffset), nOrigin);
}

uint64_t CQTFile::Tell() {
    if (!m_file)
        return 0;
    const off_t nOffset = ftello(m_file);
    return nOffset > 0 ? uint64_t(nOffset) : 0;
}

bool CQTFile::Read(void* pBuffer, size_t n) {
    if (!m_file)
        return false;
    return n == 0 || fread(pBuffer, n, 1, m_file) == 1;
}

bool CQTFile::Write(const void* pBuffer, size_t n) {
    if (!m_file)
        return false;
    return n == 0 || fwrite(pBuffer, n, 1, m_file) == 1;
}

bool CQTFile::ReadDWORD(uint32_t* pdw) {
    if (!m_file)
        return false;
    uint32_t dw = 0;
    for (int i = 0; i < 4; ++i) {
        const int ch = fgetc(m_file);
        if (ch == EOF)
            return false;
        dw = dw << 8 | uint32_t(ch);
    }
    *pdw = dw;
    return true;
}

bool CQTFile::WriteDWORD(uint32_t dw) {
    if (!m_file)
        return false;
    for (int nShift = 24; nShift >= 0; nShift -= 8) {
        if (fputc(int((dw >> nShift) & 0xff), m_file) == EOF)
            return false;
    }
    return true;
}

bool CQTFile::ReadQWORD(uint64_t* pqw) {
    uint32_t dwHigh, dwLow;
    if (!ReadDWORD(&dwHigh) || !ReadDWORD(&dwLow))
        return false;
    *pqw = uint64_t(dwHigh) << 32 | dwLow;
    return true;
}

bool CQTFile::WriteQWORD(uint64_t qw) {
    return WriteDWORD(uint32_t(qw >> 32)) && WriteDWORD(uint32_t(qw));
}

// The type's first character is its most significant byte, so reading it as a big-endian number keeps the
// bytes in file order.
bool CQTFile::ReadType(uint32_t* pdwType) {
    return ReadDWORD(pdwType);
}

bool CQTFile::WriteType(uint32_t dwType) {
    return WriteDWORD(dwType);
}

// The cancel question comes after each chunk has been written, never before the first, so a copy of 0 bytes
// cannot be cancelled. The destination is written sequentially from where it stands.
bool CQTFile::CopyRange(CQTFile* outfile, uint64_t dwStart, uint64_t dwSize) {
    MFX_PRE(outfile);
    MFX_PRE(dwStart <= uint64_t(INT64_MAX));
    if (Seek(int64_t(dwStart), SEEK_SET) != 0)
        return false;
    char* buffer = new (std::nothrow) char[CHUNKSIZE];
    if (!buffer)
        return false;
    const unsigned nShift = ProgressShift(dwSize);
    UI_SetRange(uint32_t(dwSize >> nShift));

    const uint64_t qwChunks = dwSize / CHUNKSIZE;
    const uint32_t dwLastChunk = uint32_t(dwSize % CHUNKSIZE);
    uint64_t qwCopied = 0;
    bool fOk = true;
    for (uint64_t i = 0; i < qwChunks; ++i) {
        // The report quotes the check as written here, spacing included.
        // clang-format off
        if (!MFX_VERIFY(fOk = (Read(buffer,CHUNKSIZE) && outfile->Write(buffer,CHUNKSIZE)) && !UI_IsCancelled()))
            break;
        // clang-format on
        qwCopied += CHUNKSIZE;
        UI_SetPosition(uint32_t(qwCopied >> nShift));
    }
    if (dwLastChunk != 0 && fOk) {
        // The report quotes the check as written here, spacing included.
        // clang-format off
        if (MFX_VERIFY(fOk = (Read(buffer,dwLastChunk) && outfile->Write(buffer,dwLastChunk)) && !UI_IsCancelled())) {
            // clang-format on
            qwCopied += dwLastChunk;
            UI_SetPosition(uint32_t(qwCopied >> nShift));
        }
    }
    if (!fOk)
        MFX_VERIFY(fOk);
    delete[] buffer;
    return fOk;
}

void CQTAtom::Clear() {
    m_dwAtomSize = 0;
    m_dwAtomType = 0;
    m_dwAtomStart = 0;
    m_cbHeader = CBHEADER;
}

bool CQTAtom::Read(CQTFile* file) {
    const uint64_t qwStart = file->Tell();
    uint32_t dwSize, dwType;
    if (!file->ReadDWORD(&dwSize) || !file->ReadType(&dwType))
        return false;
    if (dwType == 0 || dwSize == 0)
        return false;
    uint64_t qwSize = dwSize;
    uint32_t cbHeader = CBHEADER;
    if (dwSize == SIZE_EXTENDED) {
        if (!file->ReadQWORD(&qwSize))
            return false;
        cbHeader = CBHEADER64;
    }
    // A size that cannot hold its own header would make the next walk step land inside this header; one that
    // runs past the end of the file describes bytes that are not there.
    bool fOk;
    if (!MFX_VERIFY(fOk = qwSize >= cbHeader && qwStart <= file->Length() && qwSize <= file->Length() - qwStart)) {
        file->MarkDamaged();
        return false;
    }
    m_dwAtomSize = qwSize;
    m_dwAtomType = dwType;
    m_dwAtomStart = qwStart;
    m_cbHeader = cbHeader;
    return true;
}

bool CQTAtom::WriteHeader(CQTFile* file) const {
    if (m_dwAtomSize == 0 || file->Seek(int64_t(m_dwAtomStart), SEEK_SET) != 0)
        return false;
    if (m_cbHeader == CBHEADER64)
        return file->WriteDWORD(SIZE_EXTENDED) && file->WriteType(m_dwAtomType) && file->WriteQWORD(m_dwAtomSize);
    return file->WriteDWORD(uint32_t(m_dwAtomSize)) && file->WriteType(m_dwAtomType);
}

bool CQTAtom::SeekToStart(CQTFile* file) const {
    return m_dwAtomSize != 0 && file->Seek(int64_t(m_dwAtomStart), SEEK_SET) == 0;
}

bool CQTAtom::SeekToContent(CQTFile* file) const {
    return file->Seek(int64_t(ContentStart()), SEEK_SET) == 0;
}

bool CQTAtom::SeekToEnd(CQTFile* file) const {
    return m_dwAtomSize != 0 && file->Seek(int64_t(End()), SEEK_SET) == 0;
}

bool CQTAtom::ReadChildHeader(CQTFile* file, CQTAtom* header) const {
    if (!header->CQTAtom::Read(file))
        return false;
    // A child reaching beyond its parent is a damaged file; following it would let a table that claims to be
    // inside the movie atom be read from, and written back over, the media data.
    bool fOk;
    if (!MFX_VERIFY(fOk = header->End() <= End()))
        file->MarkDamaged();
    return fOk;
}

// Walks the parent's children from the file's current position to the parent's end. Sizes are at least a
// header long and children lie inside the parent, so every step moves forward and the walk ends.
bool CQTAtom::FindFromHere(CQTFile* file, CQTAtom* child, uint32_t dwType) const {
    while (file->Tell() < End()) {
        CQTAtom header;
        if (!ReadChildHeader(file, &header))
            return false;
        if (header.m_dwAtomType == dwType)
            return header.SeekToStart(file) && child->Read(file);
        if (!header.SeekToEnd(file))
            return false;
    }
    return false;
}

bool CQTAtom::FindChild(CQTFile* file, CQTAtom* child, uint32_t dwType) const {
    child->Clear();
    return SeekToContent(file) && FindFromHere(file, child, dwType);
}

bool CQTAtom::FindNextSibling(CQTFile* file, CQTAtom* child, uint32_t dwType) const {
    return child->SeekToEnd(file) && FindFromHere(file, child, dwType);
}

bool FindAtom(CQTAtom* atom, uint32_t dwType, CQTFile* file) {
    atom->Clear();
    if (file->Seek(0, SEEK_SET) != 0)
        return false;
    for (;;) {
        if (!atom->Read(file))
            return false;
        if (atom->m_dwAtomType == dwType)
            return true;
        if (!atom->SeekToEnd(file))
            return false;
    }
}

CQTChunkOffsetAtom::~CQTChunkOffsetAtom() {
    FreeTable();
}

void CQTChunkOffsetAtom::FreeTable() {
    delete[] m_pdwOffsets;
    m_pdwOffsets = nullptr;
}

bool CQTChunkOffsetAtom::Read(CQTFile* file) {
    FreeTable();
    m_dwEntries = 0;
    m_fCountRead = false;
    if (!CQTAtom::Read(file))
        return false;
    if (!file->Read(m_abVersionFlags, sizeof(m_abVersionFlags)) || !file->ReadDWORD(&m_dwEntries))
        return false;
    m_fCountRead = true;
    if (m_dwEntries == 0)
        return false;
    // The count is never trusted: the table must fit the atom, which fits the file.
    const uint64_t cbEntry = Is64Bit() ? 8 : 4;
    const uint64_t cbTableRoom = ContentSize() >= 8 ? ContentSize() - 8 : 0;
    bool fOk;
    if (!MFX_VERIFY(fOk = m_dwEntries <= cbTableRoom / cbEntry)) {
        file->MarkDamaged();
        return false;
    }
    m_pdwOffsets = new (std::nothrow) uint64_t[m_dwEntries];
    if (!m_pdwOffsets)
        return false;
    for (uint32_t i = 0; i < m_dwEntries; ++i) {
        uint32_t dwOffset = 0;
        const bool fRead = Is64Bit() ? file->ReadQWORD(&m_pdwOffsets[i])
                                     : (file->ReadDWORD(&dwOffset) && (m_pdwOffsets[i] = dwOffset, true));
        if (!fRead) {
            FreeTable();
            return false;
        }
    }
    return true;
}

bool CQTChunkOffsetAtom::Write(CQTFile* file) const {
    if (!WriteHeader(file) || !file->Write(m_abVersionFlags, sizeof(m_abVersionFlags)) ||
        !file->WriteDWORD(m_dwEntries))
        return false;
    if (!m_pdwOffsets || m_dwEntries == 0)
        return false;
    for (uint32_t i = 0; i < m_dwEntries; ++i) {
        const bool fWritten =
            Is64Bit() ? file->WriteQWORD(m_pdwOffsets[i]) : file->WriteDWORD(uint32_t(m_pdwOffsets[i]));
        if (!fWritten)
            return false;
    }
    return true;
}

// Every entry is checked before any is changed: a 32-bit offset that wrapped would point into the wrong
// place of the media data without any sign of damage, so such a shift is refused as a whole.
bool CQTChunkOffsetAtom::AdjustOffsets(uint64_t dwMoovSize, uint64_t dwMdatStart) {
    if (!m_pdwOffsets || m_dwEntries == 0)
        return false;
    const uint64_t qwLimit = Is64Bit() ? UINT64_MAX : UINT32_MAX;
    const bool fForward = dwMoovSize >= dwMdatStart;
    const uint64_t qwShift = fForward ? dwMoovSize - dwMdatStart : dwMdatStart - dwMoovSize;
    for (uint32_t i = 0; i < m_dwEntries; ++i) {
        const uint64_t qwOffset = m_pdwOffsets[i];
        bool fOk;
        if (!MFX_VERIFY(fOk = fForward ? qwShift <= qwLimit - qwOffset : qwOffset >= qwShift))
            return false;
    }
    for (uint32_t i = 0; i < m_dwEntries; ++i)
        m_pdwOffsets[i] = fForward ? m_pdwOffsets[i] + qwShift : m_pdwOffsets[i] - qwShift;
    return true;
}
