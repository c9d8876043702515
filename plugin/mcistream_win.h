// The media streams: every clip reaches the player as a file. CAsFileStream takes a clip from a server, which
// the browser downloads into its own cache and names; CLocalStream takes one that already lies on a local disk,
// ends the browser's download at once and opens the disk file itself. CMCIStream is their common base: it
// tells the window when the file may be opened, posts the progress of a full-page download, saves a copy and
// describes itself for the About Media dialog.
//
// Timer. While the owner window is there, the stream keeps the poll timer POLL_TIMER_ID running on it and the
// window's tick retries a waiting open; the timer goes with the stream and with the window's detach.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/mcistream.h"
#include "plugin/netstream_win.h"
#include "plugin/urlparts.h"
#include "toolkit/hfile.h"

const UINT_PTR MCISTREAM_POLL_TIMER_ID = 1234;
const UINT MCISTREAM_POLL_PERIOD = 50;           // milliseconds
const UINT MCISTREAM_WM_PROGRESS = WM_USER + 1;  // wParam 1: lParam is the total; 0: the received count
const uint32_t MCISTREAM_CHUNKSIZE = 8192;       // bytes per read and write of a saved copy

class CMCIStream : public CNetStream {
public:
    CMCIStream(CNPBaseWnd* pOwner, const char* szMimeType, bool fSeekable);
    ~CMCIStream() override;

    void Release() override;
    uint16_t GetWantedStreamType() override;
    void OnWindowAttached(CNPBaseWnd* pWnd) override;
    void OnWindowDetached(CNPBaseWnd* pWnd) override;
    bool Bind(NPStream* stream) override;

    // The whole clip is here: it can be saved, converted and described.
    virtual bool IsComplete();
    // The browser is still delivering: the download can be stopped.
    virtual bool IsDownloading();
    virtual bool UI_FileOpen(HFILE* phReadFile);
    // Exactly dwCount bytes from dwOffset.
    virtual bool UI_FileRead(HFILE hReadFile, uint32_t dwOffset, uint32_t dwCount, void* pBuffer);
    virtual bool UI_FileClose(HFILE hReadFile);
    // Copies the clip into the open target file in CHUNKSIZE pieces; true when every byte went.
    virtual bool CopyTo(HFILE hSaveFile);
    virtual bool GetLocalPath(std::string& sPath);
    virtual void OnPollTick();
    // The lines that describe the stream, one list-box entry each.
    virtual void GetInformation(std::vector<std::string>& lines);
    virtual const char* GetCacheExtension();
    // The file the player opens and a copy is made from.
    virtual bool GetReadableFile(std::string& sFile) = 0;
    // Keeps the file (the readable one when szFileName is null) to be handed to the window once enough of the
    // clip is here.
    virtual void RequestOpen(const char* szFileName);
    virtual void TryPendingOpen();
    virtual const char* GetStatusName(int32_t nStatus);

    // The window's command to stop downloading: ends the browser stream at its next write.
    bool Cancel();
    // Asks for a file name in the media folder and saves a copy there; false for an incomplete clip, a type
    // without a file type of its own, a cancelled dialog or a failed copy.
    bool UI_SaveAs(HWND hParent);
    bool UI_SaveAsNoPrompt(HWND hParent, const std::string& sSaveFileName);

    int32_t GetStatus() const { return m_nStatus; }
    const std::string& GetCachePath() const { return m_sCachePath; }
    const std::string& GetClipName() const { return m_sClipName; }
    bool IsOpenSent() const { return m_fOpenSent; }
    bool IsOpenPending() const { return m_fOpenPending; }
    uint32_t GetTotal() const { return m_dwTotal; }
    uint32_t GetReceived() const { return m_dwReceived; }

protected:
    // Progress updates: store the value, post it to a full-page window, and retry a waiting open.
    void SetTotal(uint32_t dwTotal);
    void SetReceived(uint32_t dwReceived);
    // The number of bytes a copy takes: the stream's length, or what arrived when the browser never said.
    uint32_t GetCopyLength();
    // Every change of status is traced by its name.
    void SetStatus(int32_t nStatus);

    int32_t m_nStatus = MCISTREAM_NONE;
    uint16_t m_wWantedType;
    std::string m_sCachePath;
    CURLParts m_URLParts;
    std::string m_sClipName;
    bool m_fJetTimer = false;
    bool m_fOpenSent = false;
    bool m_fOpenPending = false;
    std::string m_sPendingFile;
    uint32_t m_dwTotal = 0;
    uint32_t m_dwReceived = 0;
    int32_t m_nStartPercent;

private:
    void StartTimer();
    void StopTimer();
    HWND OwnerWindow() const;
    uint32_t m_dwPosted = 0;
};

class CAsFileStream : public CMCIStream {
public:
    CAsFileStream(const char* szMimeType, CNPBaseWnd* pOwner);

    bool Bind(NPStream* stream) override;
    int32_t Write(int32_t lOffset, int32_t lLength, void* pBuffer) override;
    bool AsFile(const char* szFileName) override;
    const char* GetCacheExtension() override;
    bool GetReadableFile(std::string& sFile) override;
    const char* GetStatusName(int32_t nStatus) override;

private:
    std::string m_sFileName;
    std::string m_sCacheExtension;
    bool m_fLengthKnown = false;
};

class CLocalStream : public CMCIStream {
public:
    CLocalStream(const char* szMimeType, CNPBaseWnd* pOwner, bool fSeekable);

    int32_t Write(int32_t lOffset, int32_t lLength, void* pBuffer) override;
    bool IsComplete() override;
    bool IsDownloading() override;
    void GetInformation(std::vector<std::string>& lines) override;
    bool GetReadableFile(std::string& sFile) override;
};
