#include "toolkit/inifile_win.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "toolkit/bytebuff.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/strings.h"
#include "toolkit/window_win.h"

MFX_SOURCE_MODULE("INIFILE");

namespace {

// A section's key names are fetched in one call; a section too long for the buffer is fetched again with a
// larger one, up to this, so that no key is lost to the buffer's size.
const size_t KEYNAMES_LIMIT = 16 * 1024 * 1024;

}  // namespace

bool INIFILE_GetDefaultFileName(HINSTANCE hModule, std::string& name) {
    PATHNAME szName = "";
    MFX_PRE(GetModuleFileNameA(hModule, szName, sizeof(szName)) > 0);
    MFX_PRE(PATHNAME_ReplaceExtension(szName, ".INI"));
    name = szName;
    return true;
}

CIniFile::CIniFile() {
    INIFILE_GetDefaultFileName(WINDOW_GetInstance(), m_FileName);
}

CIniFile::CIniFile(HINSTANCE hModule) {
    INIFILE_GetDefaultFileName(hModule, m_FileName);
}

bool CIniFile::SetFileName(const char* szName) {
    MFX_PRE(szName && szName[0]);
    m_FileName = szName;
    return true;
}

bool CIniFile::RemoveSection(const char* szSection) {
    MFX_PRE(szSection);
    bool fOk;
    MFX_VERIFY(fOk = WritePrivateProfileStringA(szSection, nullptr, nullptr, m_FileName.c_str()));
    return fOk;
}

bool CIniFile::Write(const char* szSection, const char* szKey, const char* szText) {
    MFX_PRE(szSection && szKey && szText);
    bool fOk;
    MFX_VERIFY(fOk = WritePrivateProfileStringA(szSection, szKey, szText, m_FileName.c_str()));
    return fOk;
}

bool CIniFile::Write(const char* szSection, const char* szKey, const std::string& text) {
    return Write(szSection, szKey, text.c_str());
}

bool CIniFile::Write(const char* szSection, const char* szKey, int nValue) {
    char szNumber[16];
    wsprintfA(szNumber, "%d", nValue);
    return Write(szSection, szKey, szNumber);
}

int CIniFile::Read(const char* szSection, const char* szKey, std::string& text) {
    MFX_PRE(szSection && szKey);
    CByteBuff buffer(INIFILE_TEXTSIZE);
    MFX_PRE(buffer.GetSize() == INIFILE_TEXTSIZE);
    const DWORD cch = GetPrivateProfileStringA(szSection, szKey, "", buffer.GetData(),
                                               static_cast<DWORD>(buffer.GetSize()), m_FileName.c_str());
    if (cch > 0)
        text = buffer.GetText();
    return static_cast<int>(cch);
}

int CIniFile::Read(const char* szSection, const char* szKey, int& nValue) {
    std::string text;
    if (!Read(szSection, szKey, text))
        return 0;
    int32_t nParsed = 0;
    if (!STRINGS_ToInt(text.c_str(), &nParsed))
        return 0;
    nValue = nParsed;
    return 1;
}

bool CIniFile::ReadKeyNames(const char* szSection, std::vector<std::string>& names) {
    names.clear();
    for (size_t cbBuffer = INIFILE_KEYNAMESSIZE;; cbBuffer *= 2) {
        CByteBuff buffer(cbBuffer);
        MFX_PRE(buffer.GetSize() == cbBuffer);
        char* pNames = buffer.GetData();
        const DWORD cb =
            GetPrivateProfileStringA(szSection, nullptr, "", pNames, static_cast<DWORD>(cbBuffer), m_FileName.c_str());
        // The call fills the buffer to its size less 2 when the names do not fit.
        if (cb + 2 < cbBuffer) {
            for (const char* p = pNames; p < pNames + cb && *p; p += strlen(p) + 1)
                names.emplace_back(p);
            return true;
        }
        MFX_PRE(cbBuffer * 2 <= KEYNAMES_LIMIT);
    }
}

bool CIniFile::WriteMap(const char* szTitle, const char* Key, const CTextMap& theMap) {
    MFX_PRE(Key);
    RemoveSection(Key);
    bool fOk = true;
    for (const auto& entry : theMap) {
        const char* key = entry.first.c_str();
        const std::string& Value = entry.second;
        MFX_VERIFY(fOk = Write(Key, key, Value));
    }
    return fOk;
}

bool CIniFile::ReadMap(const char* szTitle, const char* Key, CTextMap& theMap) {
    MFX_PRE(Key);
    theMap.clear();
    std::vector<std::string> names;
    ReadKeyNames(Key, names);
    for (const std::string& name : names) {
        std::string value;
        Read(Key, name.c_str(), value);
        theMap[name] = value;
    }
    return true;
}

bool CIniFile::WriteList(const char* szTitle, const char* Key, const CTextList& theArray) {
    MFX_PRE(Key);
    RemoveSection(Key);
    // The reports quote the checks as they are written here.
    // clang-format off
    const bool fCounted = MFX_VERIFY(Write(Key, INIFILE_COUNT, theArray.GetCount() ));
    // clang-format on
    if (!fCounted)
        return false;
    const std::string base = INIFILE_ListBase(Key);
    for (int nIndex = 0; nIndex < theArray.GetCount(); nIndex++) {
        if (!Write(Key, INIFILE_ListKey(base, nIndex).c_str(), theArray.GetAt(nIndex)))
            return false;
    }
    return true;
}

// The elements are found among the section's key names rather than by trying every index below "Count",
// so that a count spoilt by hand costs nothing; a well-formed section reads the same either way.
bool CIniFile::ReadList(const char* szTitle, const char* Key, CTextList& theArray) {
    MFX_PRE(Key);
    theArray.RemoveAll();
    int nCount = 0;
    if (!Read(Key, INIFILE_COUNT, nCount) || nCount <= 0)
        return true;
    const std::string base = INIFILE_ListBase(Key);
    std::vector<std::string> names;
    ReadKeyNames(Key, names);
    std::vector<std::pair<int, std::string>> elements;
    for (const std::string& name : names) {
        int nIndex = 0;
        if (INIFILE_ParseListKey(base, name.c_str(), &nIndex) && nIndex < nCount)
            elements.emplace_back(nIndex, name);
    }
    std::sort(elements.begin(), elements.end());
    for (size_t n = 0; n < elements.size(); n++) {
        // A key written twice by hand is read once, as the profile calls see only its first line.
        if (n > 0 && elements[n].first == elements[n - 1].first)
            continue;
        const char* key = elements[n].second.c_str();
        std::string value;
        // The report quotes the check as written here.
        // clang-format off
        const bool fRead = MFX_VERIFY(Read(Key, key, value ));
        // clang-format on
        if (fRead)
            theArray.Add(value);
    }
    return true;
}

bool INIFILE_WriteInt(const char* szFile, const char* szSection, const char* szKey, int nValue) {
    CIniFile ini;
    MFX_PRE(ini.SetFileName(szFile));
    return ini.Write(szSection, szKey, nValue);
}

bool INIFILE_ReadInt(const char* szFile, const char* szSection, const char* szKey, int* pnValue) {
    MFX_PRE(pnValue);
    CIniFile ini;
    MFX_PRE(ini.SetFileName(szFile));
    int nValue = *pnValue;
    if (!ini.Read(szSection, szKey, nValue) || nValue == *pnValue)
        return false;
    *pnValue = nValue;
    return true;
}
