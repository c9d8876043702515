#include "toolkit/archive.h"

#include <cstring>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("ARCHIVE");

namespace {

const uint16_t COUNT_ESCAPE = 0xFFFF;        // a count of 65535 or more follows as 32 bits
const uint8_t STRING_BYTEESCAPE = 0xFF;      // the length follows as 16 bits
const uint16_t STRING_WORDESCAPE = 0xFFFF;   // the length follows as 32 bits
const uint16_t STRING_WIDEMARKER = 0xFFFE;   // other writers' mark of a wide-character string
const uint32_t MAX_CLASSREFERENCE = 0x7FFE;  // 0x8000 | 0x7FFF would read as a new class

}  // namespace

void CArchiveWriter::WriteByte(uint8_t b) {
    m_bytes.push_back(b);
}

void CArchiveWriter::WriteWord(uint16_t w) {
    WriteByte(static_cast<uint8_t>(w));
    WriteByte(static_cast<uint8_t>(w >> 8));
}

void CArchiveWriter::WriteDword(uint32_t dw) {
    WriteWord(static_cast<uint16_t>(dw));
    WriteWord(static_cast<uint16_t>(dw >> 16));
}

void CArchiveWriter::WriteCount(size_t nCount) {
    if (nCount < COUNT_ESCAPE) {
        WriteWord(static_cast<uint16_t>(nCount));
        return;
    }
    if (!MFX_VERIFY(nCount <= UINT32_MAX)) {
        m_fOk = false;
        return;
    }
    WriteWord(COUNT_ESCAPE);
    WriteDword(static_cast<uint32_t>(nCount));
}

// Lengths below 255 take one byte; below 65534 the escape byte and 16 bits; beyond that both escapes and
// 32 bits. 65534 itself takes the long form because other writers use that 16-bit value as a marker.
void CArchiveWriter::WriteString(const std::string& s) {
    const size_t cch = s.size();
    if (cch < STRING_BYTEESCAPE) {
        WriteByte(static_cast<uint8_t>(cch));
    } else if (cch < STRING_WIDEMARKER) {
        WriteByte(STRING_BYTEESCAPE);
        WriteWord(static_cast<uint16_t>(cch));
    } else {
        if (!MFX_VERIFY(cch <= UINT32_MAX)) {
            m_fOk = false;
            return;
        }
        WriteByte(STRING_BYTEESCAPE);
        WriteWord(STRING_WORDESCAPE);
        WriteDword(static_cast<uint32_t>(cch));
    }
    m_bytes.insert(m_bytes.end(), s.begin(), s.end());
}

void CArchiveWriter::WriteObject(const CSerial& object) {
    const SERIALCLASS& serialClass = object.GetSerialClass();
    uint32_t nClassReference = 0;
    for (const auto& written : m_classes) {
        if (written.first == &serialClass)
            nClassReference = written.second;
    }
    if (nClassReference) {
        if (!MFX_VERIFY(nClassReference <= MAX_CLASSREFERENCE)) {
            m_fOk = false;
            return;
        }
        WriteWord(static_cast<uint16_t>(ARCHIVE_CLASSTAG | nClassReference));
    } else {
        const size_t cchName = strlen(serialClass.szName);
        if (!MFX_VERIFY(cchName <= ARCHIVE_MAXCLASSNAME)) {
            m_fOk = false;
            return;
        }
        WriteWord(ARCHIVE_NEWCLASSTAG);
        WriteWord(serialClass.wSchema);
        WriteWord(static_cast<uint16_t>(cchName));
        m_bytes.insert(m_bytes.end(), serialClass.szName, serialClass.szName + cchName);
        m_classes.emplace_back(&serialClass, m_nNextReference++);
    }
    ++m_nNextReference;  // the object's own reference
    object.Store(*this);
}

CArchiveReader::CArchiveReader(const uint8_t* pData,
                               size_t cbData,
                               const SERIALCLASS* const* ppClasses,
                               size_t nClasses)
    : m_pData(pData), m_cbData(pData ? cbData : 0), m_ppClasses(ppClasses), m_nClasses(nClasses) {}

bool CArchiveReader::Fail() {
    m_fOk = false;
    return false;
}

bool CArchiveReader::Take(size_t cb, const uint8_t*& p) {
    if (cb > Remaining())
        return Fail();
    p = m_pData + m_nPos;
    m_nPos += cb;
    return true;
}

bool CArchiveReader::ReadByte(uint8_t& b) {
    const uint8_t* p = nullptr;
    if (!m_fOk)
        return false;
    if (!MFX_VERIFY(Take(1, p)))
        return false;
    b = p[0];
    return true;
}

bool CArchiveReader::ReadWord(uint16_t& w) {
    const uint8_t* p = nullptr;
    if (!m_fOk)
        return false;
    if (!MFX_VERIFY(Take(2, p)))
        return false;
    w = static_cast<uint16_t>(p[0] | p[1] << 8);
    return true;
}

bool CArchiveReader::ReadDword(uint32_t& dw) {
    const uint8_t* p = nullptr;
    if (!m_fOk)
        return false;
    if (!MFX_VERIFY(Take(4, p)))
        return false;
    dw = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
    return true;
}

bool CArchiveReader::ReadCount(uint32_t& nCount) {
    uint16_t wCount = 0;
    if (!ReadWord(wCount))
        return false;
    if (wCount != COUNT_ESCAPE) {
        nCount = wCount;
        return true;
    }
    return ReadDword(nCount);
}

bool CArchiveReader::ReadString(std::string& s) {
    uint8_t bLength = 0;
    if (!ReadByte(bLength))
        return false;
    uint32_t cch = bLength;
    if (bLength == STRING_BYTEESCAPE) {
        uint16_t wLength = 0;
        if (!ReadWord(wLength))
            return false;
        if (!MFX_VERIFY(wLength != STRING_WIDEMARKER))
            return Fail();
        cch = wLength;
        if (wLength == STRING_WORDESCAPE && !ReadDword(cch))
            return false;
    }
    const uint8_t* p = nullptr;
    if (!MFX_VERIFY(Take(cch, p)))
        return false;
    s.assign(reinterpret_cast<const char*>(p), cch);
    return true;
}

const SERIALCLASS* CArchiveReader::ReadNewClass() {
    uint16_t wSchema = 0, cchName = 0;
    if (!ReadWord(wSchema) || !ReadWord(cchName))
        return nullptr;
    if (!MFX_VERIFY(cchName <= ARCHIVE_MAXCLASSNAME)) {
        Fail();
        return nullptr;
    }
    const uint8_t* pName = nullptr;
    if (!MFX_VERIFY(Take(cchName, pName)))
        return nullptr;
    const SERIALCLASS* pClass = nullptr;
    for (size_t i = 0; i < m_nClasses; ++i) {
        const SERIALCLASS* pCandidate = m_ppClasses[i];
        if (strlen(pCandidate->szName) == cchName && memcmp(pCandidate->szName, pName, cchName) == 0)
            pClass = pCandidate;
    }
    if (!MFX_VERIFY(pClass) || !MFX_VERIFY(pClass->wSchema == wSchema)) {
        Fail();
        return nullptr;
    }
    m_references.push_back(pClass);
    return pClass;
}

// Only a new class record or a reference to a class read before may start an object. A null object or a
// reference back to an object already read is refused: a list holds each item once, and an owning list that
// held one twice would delete it twice.
std::unique_ptr<CSerial> CArchiveReader::ReadObject() {
    uint16_t wTag = 0;
    if (!ReadWord(wTag))
        return nullptr;
    const SERIALCLASS* pClass = nullptr;
    if (wTag == ARCHIVE_NEWCLASSTAG) {
        pClass = ReadNewClass();
        if (!pClass)
            return nullptr;
    } else {
        const size_t nReference = wTag & ~ARCHIVE_CLASSTAG;
        if (!MFX_VERIFY(wTag & ARCHIVE_CLASSTAG) ||
            !MFX_VERIFY(nReference >= 1 && nReference <= m_references.size() && m_references[nReference - 1])) {
            Fail();
            return nullptr;
        }
        pClass = m_references[nReference - 1];
    }
    m_references.push_back(nullptr);
    std::unique_ptr<CSerial> pObject(pClass->pfnCreate());
    if (!MFX_VERIFY(pObject) || !MFX_VERIFY(pObject->Load(*this)) || !m_fOk) {
        Fail();
        return nullptr;
    }
    return pObject;
}

bool CArchiveReader::IsAtPaddedEnd() const {
    if (!m_fOk)
        return false;
    for (size_t i = m_nPos; i < m_cbData; ++i) {
        if (m_pData[i] != 0)
            return false;
    }
    return true;
}
