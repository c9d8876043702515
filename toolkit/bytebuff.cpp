#include "toolkit/bytebuff.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("BYTEBUFF");

namespace {

typedef uint32_t DWORD;  // the width of the guard word
const char GUARD[sizeof(DWORD)] = {'0', 'Z', 'O', '0'};

}  // namespace

// A buffer of 0 bytes gets one, so that its data can always hold the empty string without touching the guard.
CByteBuff::CByteBuff(size_t size, bool fZeroFill) : m_pBuffer(nullptr), m_sizeofBuffer(size > 0 ? size : 1) {
    MFX_VERIFY(m_pBuffer = new (std::nothrow) char[m_sizeofBuffer + sizeof(DWORD)]);
    if (!m_pBuffer) {
        m_sizeofBuffer = 0;
        return;
    }
    if (fZeroFill)
        memset(m_pBuffer, 0, m_sizeofBuffer);
    memcpy(m_pBuffer + m_sizeofBuffer, GUARD, sizeof(GUARD));
    m_pBuffer[0] = '\0';
}

CByteBuff::~CByteBuff() {
    MFX_VERIFY(IsGuard());
    delete[] m_pBuffer;
}

bool CByteBuff::IsGuard() const {
    return m_pBuffer && memcmp(m_pBuffer + m_sizeofBuffer, GUARD, sizeof(GUARD)) == 0;
}

char* CByteBuff::GetData() {
    MFX_VERIFY(IsGuard());
    return m_pBuffer;
}

const char* CByteBuff::GetText() const {
    MFX_VERIFY(IsGuard());
    return m_pBuffer;
}

size_t CByteBuff::GetSize() const {
    MFX_VERIFY(IsGuard());
    return m_sizeofBuffer;
}

char CByteBuff::GetAt(size_t Index) const {
    MFX_VERIFY(IsGuard());
    if (!MFX_VERIFY(Index < m_sizeofBuffer))
        return 0;
    return m_pBuffer[Index];
}

void CByteBuff::Empty() {
    MFX_VERIFY(IsGuard());
    if (m_pBuffer)
        m_pBuffer[0] = '\0';
}
