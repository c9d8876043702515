#include "tools/testsupport/qtstandin_win.h"

#include <windows.h>

#include <fstream>

#include "tools/moviefixture/moviefixture.h"

namespace {

// The stand-in's folders sit in the build tree under tools\qtstandin; test programs live a few folders below
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
        const std::string standin = dir + "\\tools\\qtstandin";
        if (GetFileAttributesA(standin.c_str()) != INVALID_FILE_ATTRIBUTES)
            return standin + "\\" + szVariant;
    }
    return std::string("qtstandin-not-built\\") + szVariant;
}

const size_t MVHD_TIMESCALE = 8 + 12;  // from the start of the movie header atom
const size_t TKHD_WIDTH = 8 + 76;      // from the start of the track header atom

}  // namespace

CQtStandin::CQtStandin(const char* szVariant) {
    char szTemp[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemp), szTemp);
    m_log = std::string(szTemp) + "qtstandin-calls.log";
    Clear();
    SetEnvironmentVariableA("QTSTANDIN_LOG", m_log.c_str());
    Fail("");
    SetDllDirectoryA(FindVariantFolder(szVariant).c_str());
}

CQtStandin::~CQtStandin() {
    SetDllDirectoryA(nullptr);
    Fail("");
    SetEnvironmentVariableA("QTSTANDIN_LOG", nullptr);
    DeleteFileA(m_log.c_str());
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

// Four chunks of media data, two seconds at a time scale of 600; the track header carries the picture size in
// 16.16 fixed point.
std::string QTSTANDIN_Movie(int nWidth, int nHeight) {
    const std::string mdat = MOVIEFIXTURE_Atom(QTATOM_MDAT, std::string(4096, '\x5a'));
    const std::vector<uint64_t> offsets = {8, 1032, 2056, 3080};
    std::string moov = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, offsets))});
    moov.replace(moov.find("mvhd") - 4 + MVHD_TIMESCALE, 8, MOVIEFIXTURE_DWORD(600) + MOVIEFIXTURE_DWORD(1200));
    const size_t nTkhd = moov.find("tkhd") - 4;
    moov.replace(nTkhd + TKHD_WIDTH, 8,
                 MOVIEFIXTURE_DWORD(static_cast<uint32_t>(nWidth) << 16) +
                     MOVIEFIXTURE_DWORD(static_cast<uint32_t>(nHeight) << 16));
    return mdat + moov;
}
