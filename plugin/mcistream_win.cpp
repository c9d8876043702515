#include "plugin/mcistream_win.h"

#include <cstdarg>
#include <cstdio>

#include "plugin/cachename.h"
#include "plugin/mcistream.h"
#include "plugin/movieoptions.h"
#include "plugin/npwnd_win.h"
#include "toolkit/diag.h"
#include "toolkit/filedlg_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("MCISTREAM");

namespace {

std::string Format(const char* szFormat, ...) {
    char szLine[1024];
    va_list args;
    va_start(args, szFormat);
    vsnprintf(szLine, sizeof(szLine), szFormat, args);
    va_end(args);
    return szLine;
}

// The size of a file on disk, 0 when it cannot be read.
uint32_t FileSize(const std::string& sFile) {
    const int32_t lSize = sFile.empty() ? -1 : PATHNAME_GetSize(sFile.c_str());
    return lSize > 0 ? static_cast<uint32_t>(lSize) : 0;
}

}  // namespace

CMCIStream::CMCIStream(CNPBaseWnd* pOwner, const char* szMimeType, bool fSeekable)
    : CNetStream(pOwner, szMimeType, fSeekable),
      m_wWantedType(fSeekable ? NP_SEEK : NP_NORMAL),
      m_nStartPercent(MOVIEOPTIONS_Get().m_nStartPercent) {}

CMCIStream::~CMCIStream() {
    StopTimer();
}

void CMCIStream::Release() {
    StopTimer();
    CNetStream::Release();
}

uint16_t CMCIStream::GetWantedStreamType() {
    return m_wWantedType;
}

HWND CMCIStream::OwnerWindow() const {
    return m_pOwner ? m_pOwner->GetWindowHandle() : nullptr;
}

void CMCIStream::StartTimer() {
    const HWND hWnd = OwnerWindow();
    if (!hWnd)
        return;
    m_fJetTimer = SetTimer(hWnd, MCISTREAM_POLL_TIMER_ID, MCISTREAM_POLL_PERIOD, nullptr) != 0;
    MFX_VERIFY(m_fJetTimer);
}

void CMCIStream::StopTimer() {
    const HWND hWnd = OwnerWindow();
    if (m_fJetTimer && hWnd)
        KillTimer(hWnd, MCISTREAM_POLL_TIMER_ID);
    m_fJetTimer = false;
}

void CMCIStream::OnWindowAttached(CNPBaseWnd* pWnd) {
    CNetStream::OnWindowAttached(pWnd);
    if (pWnd && pWnd == m_pOwner)
        StartTimer();
}

void CMCIStream::OnWindowDetached(CNPBaseWnd* pWnd) {
    if (pWnd && pWnd == m_pOwner)
        StopTimer();
    CNetStream::OnWindowDetached(pWnd);
}

// A window that is already attached when its first stream arrives hears of no attach, so the stream starts
// polling at once.
bool CMCIStream::Bind(NPStream* stream) {
    const char* szURL = stream && stream->url ? stream->url : "";
    PATHNAME szCachePath = "";
    CACHENAME_Construct(szCachePath, MOVIEOPTIONS_Get().m_szCacheFolder, szURL, GetCacheExtension());
    m_sCachePath = szCachePath;
    m_URLParts.Construct(szURL);
    m_sClipName = m_URLParts.GetName();
    if (!CNetStream::Bind(stream))
        return false;
    if (m_pOwner && !m_pOwner->GetStream())
        StartTimer();
    return true;
}

bool CMCIStream::IsComplete() {
    return m_dwTotal != 0 && m_dwReceived == m_dwTotal;
}

bool CMCIStream::IsDownloading() {
    return IsBound();
}

bool CMCIStream::UI_FileOpen(HFILE* phReadFile) {
    std::string sFile;
    HFILE hReadFile = GetReadableFile(sFile) ? HFILE_OpenRead(sFile.c_str()) : HFILE_NONE;
    bool fOk;
    // The report quotes the check as written here.
    // clang-format off
    MFX_VERIFY(fOk=HFILE_IsOpen(hReadFile));
    // clang-format on
    *phReadFile = hReadFile;
    return fOk;
}

bool CMCIStream::UI_FileRead(HFILE hReadFile, uint32_t dwOffset, uint32_t dwCount, void* pBuffer) {
    return HFILE_Seek(hReadFile, static_cast<int32_t>(dwOffset), HFILE_FROM_START) == static_cast<int32_t>(dwOffset) &&
           HFILE_Read(hReadFile, pBuffer, dwCount);
}

bool CMCIStream::UI_FileClose(HFILE hReadFile) {
    bool fOk;
    // The report quotes the check as written here.
    // clang-format off
    MFX_VERIFY(fOk=HFILE_Close(hReadFile));
    // clang-format on
    return fOk;
}

uint32_t CMCIStream::GetCopyLength() {
    const uint32_t dwLength = GetLength();
    return dwLength ? dwLength : m_dwTotal;
}

bool CMCIStream::CopyTo(HFILE hSaveFile) {
    const uint32_t CHUNKSIZE = MCISTREAM_CHUNKSIZE;
    HFILE hReadFile = HFILE_NONE;
    if (!UI_FileOpen(&hReadFile))
        return false;
    const uint32_t dwLength = GetCopyLength();
    const uint32_t dwLastChunk = dwLength % CHUNKSIZE;
    BYTE buffer[MCISTREAM_CHUNKSIZE];
    bool fOk = true;
    uint32_t dwOffset = 0;
    // The reports quote the checks as they are written here.
    // clang-format off
    for (; fOk && dwLength - dwOffset >= CHUNKSIZE; dwOffset += CHUNKSIZE) {
        MFX_VERIFY(fOk = (UI_FileRead(hReadFile, dwOffset, CHUNKSIZE, (PVOID)(LPBYTE)buffer) && HFILE_Write(hSaveFile,(LPCSTR)buffer,CHUNKSIZE)));
    }
    if (fOk && dwLastChunk) {
        MFX_VERIFY(fOk=(UI_FileRead(hReadFile, dwOffset, dwLastChunk, (PVOID)(LPBYTE)buffer) && HFILE_Write(hSaveFile,(LPCSTR)buffer,dwLastChunk)));
    }
    // clang-format on
    MFX_VERIFY(UI_FileClose(hReadFile));
    return fOk;
}

bool CMCIStream::GetLocalPath(std::string& sPath) {
    return m_URLParts.GetLocalPath(sPath);
}

void CMCIStream::OnPollTick() {
    TryPendingOpen();
}

void CMCIStream::GetInformation(std::vector<std::string>& lines) {
    lines.push_back(Format("MIME:\t%s", m_sMimeType.c_str()));
    lines.push_back(Format("URL:\t%s", m_stream && m_stream->url ? m_stream->url : m_sURL.c_str()));
    lines.push_back(Format("Size:\t%ld bytes", static_cast<long>(GetLength())));
    if (m_URLParts.IsLocal()) {
        lines.push_back("The media is a local file smart-loaded by Flarion.");
    } else {
        lines.push_back(
            Format(m_fSeekable ? "\t%s supports byte range URLs." : "\t%s does not support byte range URLs.",
                   m_URLParts.GetHost().c_str()));
        lines.push_back(Format("Cached in:\t%s", m_sCachePath.c_str()));
    }
    if (m_fOpenSent)
        lines.push_back("Flarion sent an open command to the media clip viewer.");
    else if (m_nStatus == MCISTREAM_READ_CANCELLED)
        lines.push_back("The downloading of the media clip has been cancelled.");
    else
        lines.push_back("The media clip is currently downloading...");
}

const char* CMCIStream::GetCacheExtension() {
    return ".DSK";
}

void CMCIStream::RequestOpen(const char* szFileName) {
    std::string sFile = szFileName ? szFileName : "";
    if (!szFileName)
        GetReadableFile(sFile);
    if (sFile.empty() || !m_pOwner)
        return;
    m_fOpenPending = true;
    m_sPendingFile = sFile;
    TryPendingOpen();
}

void CMCIStream::TryPendingOpen() {
    if (!m_fOpenPending || !MCISTREAM_IsReady(m_dwTotal, m_dwReceived, m_nStartPercent))
        return;
    CNPWnd* pWnd = dynamic_cast<CNPWnd*>(m_pOwner);
    if (!pWnd)
        return;
    m_fOpenPending = false;
    m_fOpenSent = pWnd->OnFileReady(m_sPendingFile.c_str(), m_sURL.c_str(), 0);
}

const char* CMCIStream::GetStatusName(int32_t nStatus) {
    return MCISTREAM_StatusName(nStatus, false);
}

bool CMCIStream::Cancel() {
    if (!IsBound())
        return false;
    SetAbort();
    SetStatus(MCISTREAM_READ_CANCELLED);
    return true;
}

void CMCIStream::SetStatus(int32_t nStatus) {
    m_nStatus = nStatus;
    DIAG_TraceString("MCISTREAM", "status", GetStatusName(nStatus));
}

bool CMCIStream::UI_SaveAs(HWND pParent) {
    const MCISTREAM_SAVETYPE* pType = MCISTREAM_FindSaveType(m_sMimeType.c_str());
    if (!IsComplete() || !pType)
        return false;
    FILEDLG dialog;
    dialog.hOwner = pParent;
    dialog.szFilter = pType->szFilter;
    dialog.szDefaultExtension = pType->szExtension;
    dialog.szInitialFolder = MOVIEOPTIONS_Get().m_szMediaFolder;
    dialog.dwFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    std::string sSaveFileName = m_sClipName;
    if (!FILEDLG_GetFileName(dialog, true, sSaveFileName))
        return false;
    bool fOk;
    // The report quotes the check as written here.
    // clang-format off
    MFX_VERIFY(fOk=UI_SaveAsNoPrompt(pParent,sSaveFileName));
    // clang-format on
    return fOk;
}

bool CMCIStream::UI_SaveAsNoPrompt(HWND hParent, const std::string& sSaveFileName) {
    PATHNAME szSaveFile = "";
    if (!PATHNAME_Assign(szSaveFile, sSaveFileName.c_str()) || !szSaveFile[0])
        return false;
    const HFILE hSaveFile = HFILE_Create(szSaveFile);
    if (!HFILE_IsOpen(hSaveFile))
        return false;
    // The capture keeps clicks away and shows the copy is busy.
    if (hParent)
        SetCapture(hParent);
    const HCURSOR hOldCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const bool fOk = CopyTo(hSaveFile);
    HFILE_Close(hSaveFile);
    SetCursor(hOldCursor);
    if (hParent)
        ReleaseCapture();
    return fOk;
}

void CMCIStream::SetTotal(uint32_t dwTotal) {
    if (dwTotal == m_dwTotal)
        return;
    m_dwTotal = dwTotal;
    const HWND hWnd = OwnerWindow();
    if (hWnd && m_pOwner->IsFullPage())
        PostMessageA(hWnd, MCISTREAM_WM_PROGRESS, 1, static_cast<LPARAM>(dwTotal));
    TryPendingOpen();
}

void CMCIStream::SetReceived(uint32_t dwReceived) {
    if (dwReceived == m_dwReceived)
        return;
    m_dwReceived = dwReceived;
    const HWND hWnd = OwnerWindow();
    if (hWnd && m_pOwner->IsFullPage() && MCISTREAM_IsProgressWorthPosting(m_dwTotal, m_dwPosted, dwReceived)) {
        m_dwPosted = dwReceived;
        PostMessageA(hWnd, MCISTREAM_WM_PROGRESS, 0, static_cast<LPARAM>(dwReceived));
    }
    TryPendingOpen();
}

CAsFileStream::CAsFileStream(const char* szMimeType, CNPBaseWnd* pOwner) : CMCIStream(pOwner, szMimeType, false) {
    m_wWantedType = NP_ASFILE;
}

bool CAsFileStream::Bind(NPStream* stream) {
    if (!CMCIStream::Bind(stream))
        return false;
    SetStatus(MCISTREAM_WAITING_FOR_OPEN);
    return true;
}

int32_t CAsFileStream::Write(int32_t lOffset, int32_t lLength, void* pBuffer) {
    MFX_PRE(lOffset >= 0 && lLength >= 0);
    if (!m_fLengthKnown) {
        m_fLengthKnown = true;
        SetTotal(GetLength());
    }
    SetReceived(static_cast<uint32_t>(lOffset) + static_cast<uint32_t>(lLength));
    return lLength;
}

// The browser names its file once the whole clip is in it; a server that never said how long the clip is
// leaves the file's own size as the clip's length, so that such a clip opens and can be saved too.
bool CAsFileStream::AsFile(const char* szFileName) {
    if (!szFileName)
        return true;
    m_sFileName = szFileName;
    if (m_dwTotal == 0) {
        const uint32_t dwSize = FileSize(m_sFileName);
        SetTotal(dwSize);
        SetReceived(dwSize);
    }
    RequestOpen(nullptr);
    return true;
}

const char* CAsFileStream::GetCacheExtension() {
    return m_sCacheExtension.c_str();
}

bool CAsFileStream::GetReadableFile(std::string& sFile) {
    sFile = m_sFileName;
    return !sFile.empty();
}

const char* CAsFileStream::GetStatusName(int32_t nStatus) {
    return MCISTREAM_StatusName(nStatus, true);
}

CLocalStream::CLocalStream(const char* szMimeType, CNPBaseWnd* pOwner, bool fSeekable)
    : CMCIStream(pOwner, szMimeType, fSeekable) {}

// The file is on disk already: the browser's copy is stopped at its first piece and the disk file is opened.
int32_t CLocalStream::Write(int32_t lOffset, int32_t lLength, void* pBuffer) {
    if (IsAborted())
        return 0;
    SetAbort();
    std::string sPath;
    GetLocalPath(sPath);
    const uint32_t dwLength = GetLength() ? GetLength() : FileSize(sPath);
    SetTotal(dwLength);
    SetReceived(dwLength);
    RequestOpen(sPath.c_str());
    return 0;
}

bool CLocalStream::IsComplete() {
    return true;
}

bool CLocalStream::IsDownloading() {
    return false;
}

void CLocalStream::GetInformation(std::vector<std::string>& lines) {
    CMCIStream::GetInformation(lines);
    lines.push_back("This media clip is being streamed from a local disk.");
}

bool CLocalStream::GetReadableFile(std::string& sFile) {
    return GetLocalPath(sFile);
}
