// The object archive of ".bag" files and the "CF_ITEMLIST" clipboard block: little-endian numbers, counts
// with an escape for large values, counted strings, and objects tagged by their class.
//
// An object is written as a tag and its contents. The first object of a class brings the class record (tag
// 65535, schema, name); later objects of that class refer back to it (tag 32768 + the class's reference).
// Classes and objects share one reference numbering that starts at 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CArchiveWriter;
class CArchiveReader;
class CSerial;

// A class that an archive may name: its name, its schema and the factory that reading uses.
struct SERIALCLASS {
    const char* szName;
    uint16_t wSchema;
    CSerial* (*pfnCreate)();
};

// An object that archives can hold.
class CSerial {
public:
    virtual ~CSerial() = default;
    virtual const SERIALCLASS& GetSerialClass() const = 0;
    virtual void Store(CArchiveWriter& ar) const = 0;
    // Reads the contents; false refuses the object.
    virtual bool Load(CArchiveReader& ar) = 0;
};

const uint16_t ARCHIVE_NEWCLASSTAG = 0xFFFF;
const uint16_t ARCHIVE_CLASSTAG = 0x8000;  // top bit of a class reference
const size_t ARCHIVE_MAXCLASSNAME = 64;    // longest class name a reader accepts
const size_t ARCHIVE_MINOBJECTSIZE = 2;    // an object's tag; its contents may be empty

class CArchiveWriter {
public:
    void WriteByte(uint8_t b);
    void WriteWord(uint16_t w);
    void WriteDword(uint32_t dw);
    void WriteCount(size_t nCount);
    void WriteString(const std::string& s);
    void WriteObject(const CSerial& object);

    // False once something could not be written in this format.
    bool IsOk() const { return m_fOk; }
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
    std::vector<std::pair<const SERIALCLASS*, uint32_t>> m_classes;  // classes written, with their references
    uint32_t m_nNextReference = 1;
    bool m_fOk = true;
};

// Reads an archive held in memory. Nothing read is trusted: every length and count is checked against the
// data that is left, and only the classes given at construction are created. The first failed read is
// reported and makes every later read fail too.
class CArchiveReader {
public:
    CArchiveReader(const uint8_t* pData, size_t cbData, const SERIALCLASS* const* ppClasses, size_t nClasses);

    bool ReadByte(uint8_t& b);
    bool ReadWord(uint16_t& w);
    bool ReadDword(uint32_t& dw);
    bool ReadCount(uint32_t& nCount);
    bool ReadString(std::string& s);
    std::unique_ptr<CSerial> ReadObject();

    // Marks the archive as failed, for a check of the contents that the caller makes. Returns false.
    bool Fail();
    bool IsOk() const { return m_fOk; }
    size_t Remaining() const { return m_cbData - m_nPos; }
    // True when every byte was read.
    bool IsAtEnd() const { return m_fOk && m_nPos == m_cbData; }
    // True when every byte left is zero: the padding of a memory block handed on whole.
    bool IsAtPaddedEnd() const;

private:
    bool Take(size_t cb, const uint8_t*& p);
    const SERIALCLASS* ReadNewClass();

    const uint8_t* m_pData;
    size_t m_cbData;
    size_t m_nPos = 0;
    const SERIALCLASS* const* m_ppClasses;
    size_t m_nClasses;
    std::vector<const SERIALCLASS*> m_references;  // by reference number - 1; null for an object
    bool m_fOk = true;
};
