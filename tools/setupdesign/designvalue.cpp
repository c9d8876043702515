#include "tools/setupdesign/designvalue.h"

#include "setup/design.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

const char* const s_targetTypes[] = {"none", "path", "include", "lib", "windows", "system", "search", "baseon"};
const char* const s_thingTypes[] = {"file", "dir"};

int HexDigit(char ch) {
    return isdigit(static_cast<unsigned char>(ch))    ? ch - '0'
           : isxdigit(static_cast<unsigned char>(ch)) ? tolower(ch) - 'a' + 10
                                                      : -1;
}

// Some numbers read better as names: a target's or a thing's type, the drive letter.
struct NAMES {
    const char* const* pszNames;
    int nNames;
};

NAMES NamesOf(const DESIGNFIELDS& fields, const DESIGNFIELD& field) {
    if (strcmp(field.szMember, "nType") == 0 && &fields == &TARGET_FIELDS)
        return {s_targetTypes, 8};
    if (strcmp(field.szMember, "nType") == 0 && &fields == &THING_FIELDS)
        return {s_thingTypes, 2};
    return {nullptr, 0};
}

bool IsDriveLetter(const DESIGNFIELD& field) {
    return strcmp(field.szMember, "cDriveLetter") == 0;
}

}  // namespace

bool DESIGNVALUE_SameIgnoringCase(const std::string& a, const char* b) {
    if (a.size() != strlen(b))
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string DESIGNVALUE_Lower(std::string text) {
    for (char& ch : text)
        ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    return text;
}

std::string DESIGNVALUE_Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool DESIGNVALUE_ParseNumber(const std::string& value, long long llMin, long long llMax, long long* pllValue) {
    const char* p = value.c_str();
    const bool fNegative = *p == '-';
    if (fNegative)
        ++p;
    const bool fHex = p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    if (fHex)
        p += 2;
    if (!*p)
        return false;
    unsigned long long ull = 0;
    for (; *p; ++p) {
        const int nDigit = isdigit(static_cast<unsigned char>(*p))            ? *p - '0'
                           : fHex && isxdigit(static_cast<unsigned char>(*p)) ? tolower(*p) - 'a' + 10
                                                                              : -1;
        if (nDigit < 0 || ull > 0xFFFFFFFFull)
            return false;
        ull = ull * (fHex ? 16 : 10) + static_cast<unsigned>(nDigit);
    }
    const long long ll = fNegative ? -static_cast<long long>(ull) : static_cast<long long>(ull);
    if (ll < llMin || ll > llMax)
        return false;
    *pllValue = ll;
    return true;
}

bool DESIGNVALUE_ParseText(const std::string& value, std::string* pText, std::string* pError) {
    if (value.empty() || value[0] != '"') {
        *pText = value;
        return true;
    }
    pText->clear();
    for (size_t i = 1; i < value.size(); ++i) {
        const char ch = value[i];
        if (ch == '"') {
            if (i + 1 != value.size()) {
                *pError = "text after the closing quote";
                return false;
            }
            return true;
        }
        if (ch != '\\') {
            *pText += ch;
            continue;
        }
        if (++i == value.size())
            break;
        switch (value[i]) {
            case '\\':
                *pText += '\\';
                break;
            case '"':
                *pText += '"';
                break;
            case 'n':
                *pText += '\n';
                break;
            case 'r':
                *pText += '\r';
                break;
            case 't':
                *pText += '\t';
                break;
            case 'x':
                if (i + 2 < value.size() && HexDigit(value[i + 1]) >= 0 && HexDigit(value[i + 2]) >= 0) {
                    *pText += static_cast<char>(HexDigit(value[i + 1]) * 16 + HexDigit(value[i + 2]));
                    i += 2;
                    break;
                }
                [[fallthrough]];
            default:
                *pError = "unknown escape in quoted text";
                return false;
        }
    }
    *pError = "quoted text without its closing quote";
    return false;
}

std::string DESIGNVALUE_QuoteText(const std::string& text) {
    bool fQuote = !text.empty() &&
                  (text[0] == ' ' || text[0] == '\t' || text[0] == '"' || text.back() == ' ' || text.back() == '\t');
    for (unsigned char ch : text)
        fQuote = fQuote || ch < 0x20 || ch == 0x7F;
    if (!fQuote)
        return text;
    std::string quoted = "\"";
    for (unsigned char ch : text) {
        char szHex[8];
        switch (ch) {
            case '\\':
                quoted += "\\\\";
                break;
            case '"':
                quoted += "\\\"";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                if (ch < 0x20 || ch == 0x7F) {
                    snprintf(szHex, sizeof(szHex), "\\x%02X", ch);
                    quoted += szHex;
                } else {
                    quoted += static_cast<char>(ch);
                }
        }
    }
    return quoted + "\"";
}

bool DESIGNVALUE_ParseHex(const std::string& value, size_t cbMax, std::vector<uint8_t>* pBytes, std::string* pError) {
    pBytes->clear();
    std::string digits;
    for (char ch : value) {
        if (ch == ' ' || ch == '\t')
            continue;
        if (HexDigit(ch) < 0) {
            *pError = "not a hexadecimal byte string";
            return false;
        }
        digits += ch;
    }
    if (digits.size() % 2 != 0 || digits.size() / 2 > cbMax) {
        *pError =
            digits.size() % 2 ? "odd number of hexadecimal digits" : "more than " + std::to_string(cbMax) + " bytes";
        return false;
    }
    for (size_t i = 0; i < digits.size(); i += 2)
        pBytes->push_back(static_cast<uint8_t>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1])));
    return true;
}

std::string DESIGNVALUE_FormatHex(const uint8_t* p, size_t cb, bool fKeepZeros) {
    while (!fKeepZeros && cb > 0 && p[cb - 1] == 0)
        --cb;
    std::string hex;
    for (size_t i = 0; i < cb; ++i) {
        char sz[3];
        snprintf(sz, sizeof(sz), "%02X", p[i]);
        hex += sz;
    }
    return hex;
}

bool DESIGNVALUE_ApplyField(const DESIGNFIELDS& fields,
                            const DESIGNFIELD& field,
                            void* pRecord,
                            const std::string& value,
                            std::string* pError) {
    char* pAt = static_cast<char*>(pRecord) + field.offset;
    long long ll = 0;
    std::string text;
    std::vector<uint8_t> bytes;
    switch (field.kind) {
        case DESIGNFIELD_SHORT: {
            const NAMES names = NamesOf(fields, field);
            for (int i = 0; i < names.nNames; ++i) {
                if (DESIGNVALUE_SameIgnoringCase(value, names.pszNames[i])) {
                    DESIGNFIELD_Set(pRecord, field, static_cast<int16_t>(i));
                    return true;
                }
            }
            if (IsDriveLetter(field) && value.size() == 1 && isalpha(static_cast<unsigned char>(value[0]))) {
                DESIGNFIELD_Set(pRecord, field, static_cast<int16_t>(value[0]));
                return true;
            }
            const long long llMax = &fields == &TARGET_FIELDS && names.nNames ? TARGET_BASEON : INT16_MAX;
            const long long llMin = llMax == INT16_MAX ? INT16_MIN : 0;
            if (!DESIGNVALUE_ParseNumber(value, llMin, llMax, &ll)) {
                *pError = "value out of range (" + std::to_string(llMin) + " to " + std::to_string(llMax) + ")";
                return false;
            }
            DESIGNFIELD_Set(pRecord, field, static_cast<int16_t>(ll));
            return true;
        }
        case DESIGNFIELD_LONG:
        case DESIGNFIELD_DWORD: {
            const bool fLong = field.kind == DESIGNFIELD_LONG;
            if (!DESIGNVALUE_ParseNumber(value, fLong ? INT32_MIN : 0, fLong ? INT32_MAX : UINT32_MAX, &ll)) {
                *pError =
                    fLong ? "value out of range (a 32-bit signed number)" : "value out of range (0 to 0xFFFFFFFF)";
                return false;
            }
            DESIGNFIELD_Set(pRecord, field, static_cast<uint32_t>(ll));
            return true;
        }
        case DESIGNFIELD_STRING:
        case DESIGNFIELD_MESSAGE:
            if (!DESIGNVALUE_ParseText(value, &text, pError))
                return false;
            if (text.size() > field.cb - 1) {
                *pError = "text longer than " + std::to_string(field.cb - 1) + " characters";
                return false;
            }
            if (field.kind == DESIGNFIELD_STRING) {
                memcpy(pAt, text.c_str(), text.size() + 1);
            } else {
                delete[] DESIGNFIELD_Get<char*>(pRecord, field);
                char* szMessage = new char[text.size() + 1];
                memcpy(szMessage, text.c_str(), text.size() + 1);
                DESIGNFIELD_Set(pRecord, field, szMessage);
            }
            return true;
        case DESIGNFIELD_RAW:
            if (!DESIGNVALUE_ParseHex(value, field.cb, &bytes, pError))
                return false;
            memset(pAt, 0, field.cb);
            if (!bytes.empty())
                memcpy(pAt, bytes.data(), bytes.size());
            return true;
        case DESIGNFIELD_FONT:
            break;
    }
    *pError = "unknown key";
    return false;
}

std::string DESIGNVALUE_FormatField(const DESIGNFIELDS& fields, const DESIGNFIELD& field, const void* pRecord) {
    const char* pAt = static_cast<const char*>(pRecord) + field.offset;
    switch (field.kind) {
        case DESIGNFIELD_SHORT: {
            const int16_t n = DESIGNFIELD_Get<int16_t>(pRecord, field);
            const NAMES names = NamesOf(fields, field);
            if (n >= 0 && n < names.nNames)
                return names.pszNames[n];
            if (IsDriveLetter(field) && n < 128 && isalpha(n))
                return std::string(1, static_cast<char>(n));
            return std::to_string(n);
        }
        case DESIGNFIELD_LONG:
            return std::to_string(DESIGNFIELD_Get<int32_t>(pRecord, field));
        case DESIGNFIELD_DWORD: {
            char sz[16];
            snprintf(sz, sizeof(sz), "0x%08X", DESIGNFIELD_Get<uint32_t>(pRecord, field));
            return sz;
        }
        case DESIGNFIELD_STRING:
            return DESIGNVALUE_QuoteText(pAt);
        case DESIGNFIELD_MESSAGE: {
            const char* szMessage = DESIGNFIELD_Get<const char*>(pRecord, field);
            return DESIGNVALUE_QuoteText(szMessage ? szMessage : "");
        }
        case DESIGNFIELD_RAW:
            return DESIGNVALUE_FormatHex(reinterpret_cast<const uint8_t*>(pAt), field.cb);
        case DESIGNFIELD_FONT:
            break;
    }
    return "";
}
