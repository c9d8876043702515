// A double-byte code page for the portable tests: while the object lives, the name rules step by the lead
// bytes of code page 932 (0x81-0x9F and 0xE0-0xFC), whose second bytes include the backslash.
#pragma once

#include "toolkit/pathname.h"

class CDbcsRule {
public:
    CDbcsRule() : m_pfnPrevious(PATHNAME_SetNextChar(&Next)) {}
    ~CDbcsRule() { PATHNAME_SetNextChar(m_pfnPrevious); }
    CDbcsRule(const CDbcsRule&) = delete;
    CDbcsRule& operator=(const CDbcsRule&) = delete;

    static bool IsLeadByte(char ch) {
        const unsigned char b = static_cast<unsigned char>(ch);
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    }

private:
    // Like CharNext: a lead byte takes the next byte with it, unless that is the terminator.
    static const char* Next(const char* p) {
        if (!*p)
            return p;
        return IsLeadByte(*p) && p[1] ? p + 2 : p + 1;
    }
    PATHNAME_NEXTCHAR m_pfnPrevious;
};
