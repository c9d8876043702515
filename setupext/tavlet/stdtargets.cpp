// The hook library's standard destination directories.
#include "setupext/tavlet/stdtargets.h"

#include "toolkit/system.h"

namespace {

std::string Join(const std::string& folder, const char* szName) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        return folder + "\\" + szName;
    return folder + szName;
}

}  // namespace

TAVLET_PLATFORM STDTARGETS_PlatformOf(int nSystemClass) {
    switch (nSystemClass) {
    case SYSTEM_CLASS_NTWORK:
    case SYSTEM_CLASS_NTSERVER:
        return TAVLET_WINDOWS_NT;
    case SYSTEM_CLASS_WIN32S:
        return TAVLET_WINDOWS_31;
    case SYSTEM_CLASS_WIN95:
        return TAVLET_WINDOWS_95;
    default:
        return TAVLET_OTHER;
    }
}

const char* STDTARGETS_TraceName(TAVLET_PLATFORM platform) {
    switch (platform) {
    case TAVLET_WINDOWS_NT:
        return "WINDOWS_NT";
    case TAVLET_WINDOWS_31:
        return "WINDOWS_31";
    case TAVLET_WINDOWS_95:
        return "WINDOWS_95";
    default:
        return "";
    }
}

void STDTARGETS_Fill(CTextMap& targets,
                     TAVLET_PLATFORM platform,
                     const std::string& windowsDir,
                     const std::string& systemDir,
                     bool fSystem16) {
    targets["Windows"] = windowsDir;
    targets["System"] = systemDir;
    switch (platform) {
    case TAVLET_WINDOWS_NT:
        if (fSystem16)
            targets["System16"] = Join(windowsDir, "SYSTEM");
        targets["System32"] = Join(windowsDir, "SYSTEM32");
        break;
    case TAVLET_WINDOWS_31:
        targets["System16"] = systemDir;
        break;
    case TAVLET_WINDOWS_95:
        targets["System32"] = systemDir;
        break;
    case TAVLET_OTHER:
        break;
    }
}
