// Random names through every name rule: under AddressSanitizer nothing may read or write outside its buffer,
// and every result must fit a PATHNAME. Names are drawn from separators, dots, letters and double-byte lead
// bytes, with lengths around the 260-character limit.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/pathname.h"
#include "toolkit/tests/dbcs_rule.h"

namespace {

class CRandomNames {
public:
    explicit CRandomNames(unsigned nSeed) : m_random(nSeed) {}

    std::string Next() {
        static const size_t lengths[] = {0, 1, 2, 3, 4, 5, 258, 259, 260, 261, 262};
        const size_t cch = Pick(3) == 0 ? Pick(300) : lengths[Pick(sizeof(lengths) / sizeof(lengths[0]))];
        std::string name;
        if (Pick(4) == 0)
            name = "C:\\";
        const bool fOnlySeparators = Pick(8) == 0;
        while (name.size() < cch)
            name += fOnlySeparators ? "\\/"[Pick(2)] : Char();
        name.resize(cch);
        if (Pick(4) == 0 && cch > 0)
            name.back() = '\x83';  // a lead byte with no second byte
        return name;
    }
    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }

private:
    char Char() {
        static const char alphabet[] = "AB.\\/:\x83\x5C\xE0 ";
        return alphabet[Pick(sizeof(alphabet) - 1)];
    }
    std::mt19937 m_random;
};

// A name in a heap block of exactly its size, so that a read past the terminator is caught.
class CExactName {
public:
    explicit CExactName(const std::string& name) : m_buffer(name.begin(), name.end()) { m_buffer.push_back('\0'); }
    const char* Get() const { return m_buffer.data(); }

private:
    std::vector<char> m_buffer;
};

// A PATHNAME of its own heap block; Fits() checks that a terminator lies inside it.
class CHeapPathName {
public:
    CHeapPathName() : m_p(new char[sizeof(PATHNAME)]) { m_p[0] = '\0'; }
    explicit CHeapPathName(const std::string& name) : CHeapPathName() {
        memcpy(m_p.get(), name.c_str(), name.size() + 1);
    }
    char* Get() { return m_p.get(); }
    bool Fits() const { return memchr(m_p.get(), '\0', sizeof(PATHNAME)) != nullptr; }

private:
    std::unique_ptr<char[]> m_p;
};

void CheckEveryRule(const std::string& name, const std::string& other, int nLevel) {
    SCOPED_TRACE("name of " + std::to_string(name.size()) + " bytes: " + name);
    const CExactName exact(name), exactOther(other);
    const char* szName = exact.Get();
    const char* szOther = exactOther.Get();

    CHeapPathName outs[12];
    PATHNAME_Construct(outs[0].Get(), szName, szOther);
    PATHNAME_Construct(outs[1].Get(), szOther, szName);
    PATHNAME_Construct2(outs[2].Get(), szName, szOther, szName);
    PATHNAME_Assign(outs[3].Get(), szName);
    PATHNAME_GetExtension(szName, outs[4].Get());
    PATHNAME_GetDotExtension(szName, outs[5].Get());
    PATHNAME_GetJustName(szName, outs[6].Get());
    const int nHasPath = PATHNAME_GetJustPath(szName, outs[7].Get());
    PATHNAME_GetJustPathNoSlash(szName, outs[8].Get());
    PATHNAME_ConstructSibling(szName, outs[9].Get(), szOther);
    PATHNAME_ConstructWithExtension(outs[10].Get(), szName, szOther);
    PATHNAME_GetFolderAtLevel(szName, outs[11].Get(), nLevel);
    PATHNAME_HasPath(szName);
    PATHNAME_CountFolders(szName);
    for (const CHeapPathName& out : outs)
        EXPECT_TRUE(out.Fits());

    // Folder part and name part put together give the name back whenever both fit.
    if (nHasPath && name.size() <= MAX_PATHNAME) {
        EXPECT_EQ(name, std::string(outs[7].Get()) + outs[6].Get());
    }

    if (name.size() > MAX_PATHNAME)
        return;
    using INPLACE = int (*)(char*, const char*);
    const INPLACE inPlace[] = {
        [](char* sz, const char*) { return PATHNAME_RemoveExtension(sz); },
        [](char* sz, const char*) { return PATHNAME_TrimLastSlash(sz); },
        [](char* sz, const char*) { return PATHNAME_AddSlash(sz); },
        &PATHNAME_ReplaceExtension,
        &PATHNAME_ReplaceJustName,
        &PATHNAME_RemoveRoot,
    };
    for (INPLACE pfn : inPlace) {
        CHeapPathName inout(name);
        pfn(inout.Get(), szOther);
        EXPECT_TRUE(inout.Fits());
    }
}

void CheckRandomNames(unsigned nSeed) {
    CDiagCapture quiet;
    CRandomNames names(nSeed);
    for (int i = 0; i < 4000 && !::testing::Test::HasFailure(); ++i) {
        const std::string name = names.Next();
        const std::string other = names.Next();
        CheckEveryRule(name, other, static_cast<int>(names.Pick(5)));
        quiet.Clear();
    }
}

TEST(PathNameProperty, EveryRuleStaysInsideItsBuffers) {
    CheckRandomNames(1);
}

TEST(PathNameProperty, EveryRuleStaysInsideItsBuffersWithDoubleByteCharacters) {
    CDbcsRule dbcs;
    CheckRandomNames(2);
}

}  // namespace
