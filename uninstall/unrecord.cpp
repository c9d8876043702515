#include "uninstall/unrecord.h"

#include <vector>

#include "toolkit/mfx.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("UNRECORD");

namespace {

// The root keys the registry knows by name, as the key object's RootKeyFromName knows them.
const char* const ROOT_NAMES[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                  "HKEY_PERFORMANCE_DATA"};

bool IsRootName(const std::string& name) {
    for (const char* szRoot : ROOT_NAMES) {
        if (STRINGS_CompareNoCase(name.c_str(), szRoot) == 0)
            return true;
    }
    return false;
}

}  // namespace

// An empty path would put the removal right below a root key, which no installation creates; an empty last
// part of a key entry would delete the whole key of its path.
bool UNRECORD_SplitRegEntry(const std::string& entry, bool fKey, UNRECORD_REGENTRY* pEntry) {
    MFX_PRE(pEntry);
    const size_t first = entry.find('\\');
    const size_t last = entry.rfind('\\');
    if (first == std::string::npos || last == first)
        return false;
    UNRECORD_REGENTRY split = {entry.substr(0, first), entry.substr(first + 1, last - first - 1),
                               entry.substr(last + 1)};
    if (!IsRootName(split.root) || split.path.empty() || (fKey && split.last.empty()))
        return false;
    *pEntry = split;
    return true;
}

// The setup log lists a folder when it was made, so a parent usually comes before the folders inside it.
int UNRECORD_RemoveFolders(const CTextList& folders, const std::function<bool(const char*)>& fnRemove) {
    std::vector<std::string> remaining(folders.begin(), folders.end());
    int nRemoved = 0;
    for (bool fProgress = true; fProgress && !remaining.empty();) {
        fProgress = false;
        std::vector<std::string> left;
        for (const std::string& folder : remaining) {
            if (fnRemove(folder.c_str())) {
                ++nRemoved;
                fProgress = true;
            } else {
                left.push_back(folder);
            }
        }
        remaining.swap(left);
    }
    return nRemoved;
}
