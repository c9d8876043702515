// A QuickTime movie file read and written as a tree of atoms.
//
// All multi-byte integers in the file are big-endian. An atom is a 32-bit size (the whole atom, header
// included), four type bytes and its content; a size field of 1 is followed by a 64-bit size (the extended
// form, 16-byte header), which is how media data of 4 GB and more is stored. A header whose size field is 0 or
// whose type is all zero is no atom: it ends every walk. Offsets and sizes are 64-bit throughout.
//
// The layer knows nothing of windows: progress and cancellation go through four hooks that do nothing here
// and are overridden by the conversion job.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "movie/qtatoms.h"

// The unit of the chunked copy: progress is reported and cancellation asked after each chunk.
const uint32_t CHUNKSIZE = 4096;

class CQTFile {
public:
    CQTFile();
    virtual ~CQTFile();
    CQTFile(const CQTFile&) = delete;
    CQTFile& operator=(const CQTFile&) = delete;

    // User-interface hooks, always called through this class. Base: never cancelled, no output.
    virtual bool UI_IsCancelled();
    virtual void UI_Status(const char* szText);
    // Progress of a copy: the total, then the amount done after each chunk. A copy of 4 GB or more reports
    // both in units of a power of two so that the total fits.
    virtual void UI_SetRange(uint32_t dwTotal);
    virtual void UI_SetPosition(uint32_t dwDone);

    // "rb", "wb" (create or truncate) and "r+b" (existing file). Any open file is closed first.
    bool OpenRead(const char* szPath);
    bool OpenWrite(const char* szPath);
    bool OpenUpdate(const char* szPath);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // C library seek: 0 on success. Tell is 0 when no file is open.
    int Seek(int64_t nOffset, int nOrigin);
    uint64_t Tell();
    // The file's length when it was opened for reading or update (0 for a file opened for writing); no atom
    // read from the file may reach beyond it.
    uint64_t Length() const { return m_qwLength; }
    // True once any atom read from this file since it was opened did not fit its parent or the file: a walk
    // that then found nothing may have missed what the damaged part held.
    bool IsDamaged() const { return m_fDamaged; }
    void MarkDamaged() { m_fDamaged = true; }

    // Exactly n bytes, or failure.
    bool Read(void* pBuffer, size_t n);
    bool Write(const void* pBuffer, size_t n);
    // Big-endian integers; the type bytes in file order (see qtatoms.h).
    bool ReadDWORD(uint32_t* pdw);
    bool WriteDWORD(uint32_t dw);
    bool ReadQWORD(uint64_t* pqw);
    bool WriteQWORD(uint64_t qw);
    bool ReadType(uint32_t* pdwType);
    bool WriteType(uint32_t dwType);

    // Copies dwSize bytes from offset dwStart of this file to the current position of outfile, in CHUNKSIZE
    // chunks, reporting progress and asking for cancellation through this object's hooks after every chunk.
    // A failed or cancelled copy returns false and leaves what it wrote.
    bool CopyRange(CQTFile* outfile, uint64_t dwStart, uint64_t dwSize);

    FILE* m_file;

private:
    bool Open(const char* szPath, const char* szMode);
    uint64_t m_qwLength;
    bool m_fDamaged;
    char* m_pStreamBuffer;  // the open stream's buffer, freed after the stream is closed
};

// One atom as found in a file: a value; it holds no file.
class CQTAtom {
public:
    CQTAtom() { Clear(); }
    virtual ~CQTAtom() = default;

    // Reads the header at the file's current position and leaves the file at the content. Fails at end of
    // file, on a size or type of 0, and on a size that cannot hold the header or runs past the file's end.
    virtual bool Read(CQTFile* file);

    void Clear();
    // Writes the header back at m_dwAtomStart in the form it was read in.
    bool WriteHeader(CQTFile* file) const;
    bool SeekToStart(CQTFile* file) const;
    bool SeekToContent(CQTFile* file) const;
    bool SeekToEnd(CQTFile* file) const;

    // Called on the parent: fill child (with its own Read) with the first child atom of dwType, or with the next
    // one after the child it holds. Only atoms that lie wholly inside the parent are found.
    bool FindChild(CQTFile* file, CQTAtom* child, uint32_t dwType) const;
    bool FindNextSibling(CQTFile* file, CQTAtom* child, uint32_t dwType) const;

    uint64_t ContentStart() const { return m_dwAtomStart + m_cbHeader; }
    uint64_t ContentSize() const { return m_dwAtomSize - m_cbHeader; }
    uint64_t End() const { return m_dwAtomStart + m_dwAtomSize; }

    uint64_t m_dwAtomSize;   // the whole atom, header included
    uint32_t m_dwAtomType;   // see qtatoms.h
    uint64_t m_dwAtomStart;  // offset of the first header byte
    uint32_t m_cbHeader;     // 8, or 16 for the extended size form

private:
    // Reads a plain header inside parent at the current position; fails if it does not lie inside.
    bool ReadChildHeader(CQTFile* file, CQTAtom* header) const;
    bool FindFromHere(CQTFile* file, CQTAtom* child, uint32_t dwType) const;
};

// The first top-level atom of dwType, searching from offset 0 with atom's own Read.
bool FindAtom(CQTAtom* atom, uint32_t dwType, CQTFile* file);

// A chunk offset table: "stco" (32-bit entries) or "co64" (64-bit entries), chosen by the atom's type.
class CQTChunkOffsetAtom : public CQTAtom {
public:
    CQTChunkOffsetAtom() = default;
    ~CQTChunkOffsetAtom() override;
    CQTChunkOffsetAtom(const CQTChunkOffsetAtom&) = delete;
    CQTChunkOffsetAtom& operator=(const CQTChunkOffsetAtom&) = delete;

    // Header and table. Fails, leaving no table, when the table is empty or does not fit the atom (damage).
    bool Read(CQTFile* file) override;
    // Writes header, version and flags, count and entries back over the bytes they were read from.
    bool Write(CQTFile* file) const;
    // Adds dwMoovSize - dwMdatStart to every entry. Refuses, changing nothing, an empty table and a shift that
    // would take any entry below 0 or beyond what its field can hold.
    bool AdjustOffsets(uint64_t dwMoovSize, uint64_t dwMdatStart);

    // True after a Read that found the header and a count of 0: a table with nothing to shift.
    bool IsEmpty() const { return m_fCountRead && m_dwEntries == 0; }
    bool Is64Bit() const { return m_dwAtomType == QTATOM_CO64; }

    uint8_t m_abVersionFlags[4] = {};
    uint32_t m_dwEntries = 0;
    uint64_t* m_pdwOffsets = nullptr;  // m_dwEntries offsets in host order; null until a successful Read

private:
    void FreeTable();
    bool m_fCountRead = false;
};
