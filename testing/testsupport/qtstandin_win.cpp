#include "testing/testsupport/qtstandin_win.h"

#include <windows.h>

#include <fstream>


namespace {

// The stand-in's folders sit in the build tree under testing\qtstandin; test programs live a few folders below
// the build's root, so the folder is looked up from the program's own folder upwards.
std::string FindVariantFolder(const char* szVariant) {
    char szDir[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szDir, sizeof(szDir));
    std::string dir = szDir;
    for (int nUp = 0; nUp < 6; ++nUp) {
        const size_t nSlash = dir.find_last_of("\\/");
        if (nSlash == std::string::npos)
            break;
        dir.resize(nSlash);
        const std::string standin = dir + "\\testing\\qtstandin";
        if (GetFileAttributesA(standin.c_str()) != INVALID_FILE_ATTRIBUTES)
            return standin + "\\" + szVariant;
    }
    return std::string("qtstandin-not-built\\") + szVariant;
}

}  // namespace

CQtStandin::CQtStandin(const char* szVariant) {
    m_log = m_folder / "calls.log";
    Clear();
    SetEnvironmentVariableA("QTSTANDIN_LOG", m_log.c_str());
    Fail("");
    SetDllDirectoryA(FindVariantFolder(szVariant).c_str());
}

CQtStandin::~CQtStandin() {
    SetDllDirectoryA(nullptr);
    Fail("");
    SetEnvironmentVariableA("QTSTANDIN_LOG", nullptr);
}

std::vector<std::string> CQtStandin::Calls() const {
    std::vector<std::string> calls;
    std::ifstream log(m_log);
    for (std::string line; std::getline(log, line);)
        calls.push_back(line);
    return calls;
}

void CQtStandin::Clear() const {
    DeleteFileA(m_log.c_str());
}

void CQtStandin::Fail(const char* szCalls) {
    SetEnvironmentVariableA("QTSTANDIN_FAIL", *szCalls ? szCalls : nullptr);
}
