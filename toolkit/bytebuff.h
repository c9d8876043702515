// A byte buffer with a guard word behind its data: a write past the end breaks the guard, and the next access
// reports it.
#pragma once

#include <cstddef>

class CByteBuff {
public:
    // size data bytes, zero-filled when asked, holding the empty string.
    explicit CByteBuff(size_t size, bool fZeroFill = false);
    ~CByteBuff();
    CByteBuff(const CByteBuff&) = delete;
    CByteBuff& operator=(const CByteBuff&) = delete;

    // The guard word "0ZO0" behind the data is intact.
    bool IsGuard() const;
    // Every accessor checks the guard first, reports "IsGuard()" when it is broken, and answers anyway.
    char* GetData();
    const char* GetText() const;
    size_t GetSize() const;
    // The byte at Index; an index beyond the data is reported and reads as 0.
    char GetAt(size_t Index) const;
    void Empty();

    char* m_pBuffer;
    size_t m_sizeofBuffer;
};
