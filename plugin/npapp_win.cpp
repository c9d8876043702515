#include "plugin/npapp_win.h"

#include <strings.h>

#include "plugin/movieoptions_win.h"
#include "plugin/movwnd_win.h"
#include "plugin/netstream_win.h"
#include "plugin/npprops.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("NPAPP");

const char NPAPP_NAME[] = "Flarion";
const char NPAPP_SHOWONLY_TYPE[] =
    "<IMG SRC=\"http://www.example.com/flarion/face.gif\" ALIGN=LEFT><B>R<SMALL>EELWAY</SMALL></B><HR>";

namespace {

const char* const QUICKTIME_TYPES[] = {"video/quicktime", "video/x-quicktime", "video/quicktime-stream"};

CNPApp s_theApp;

// The mode pseudo-attribute that every instance carries.
const char* ModeName(uint16_t mode) {
    switch (mode) {
        case NP_FULL:
            return "MAXIMIZED";
        case NP_BACKGROUND:
            return "BACKGROUND";
        default:
            return "EMBEDDED";
    }
}

}  // namespace

CNPApp* NPAPP_Get() {
    return &s_theApp;
}

CNPThreads::CNPThreads() {
    InitializeCriticalSection(&m_lock);
}

CNPThreads::~CNPThreads() {
    DeleteCriticalSection(&m_lock);
}

void CNPThreads::Add() {
    EnterCriticalSection(&m_lock);
    ++m_nCount;
    LeaveCriticalSection(&m_lock);
}

void CNPThreads::Remove() {
    EnterCriticalSection(&m_lock);
    if (m_nCount > 0)
        --m_nCount;
    LeaveCriticalSection(&m_lock);
}

bool CNPThreads::AllGone() {
    EnterCriticalSection(&m_lock);
    const bool fAllGone = m_nCount == 0;
    LeaveCriticalSection(&m_lock);
    return fAllGone;
}

NPError CNPApp::NPP_Initialize() {
    MOVIEOPTIONS_ReadSettings();
    return NPERR_NO_ERROR;
}

// A worker thread may still need this thread's windows to finish, so their messages are served while the
// threads are waited for.
void CNPApp::NPP_Shutdown() {
    const DWORD dwStart = GetTickCount();
    while (!m_Threads.AllGone() && GetTickCount() - dwStart < NPAPP_SHUTDOWN_TIMEOUT) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        WINDOW_PumpMessages();
    }
    MFX_VERIFY(m_Threads.AllGone());
    CMOV::ClassTerm();
    MOVIEOPTIONS_WriteSettings();
}

CNPBaseWnd* CNPApp::CreateInstanceWindow(const char* szMimeType, int16_t nMode) {
    const char* szType = szMimeType ? szMimeType : "";
    if (strcasecmp(szType, NPAPP_SHOWONLY_TYPE) == 0) {
        MessageBoxA(GetFocus(), "The Flarion mime type is for show only", NPAPP_NAME, MB_OK | MB_ICONINFORMATION);
        return nullptr;
    }
    bool fQuickTime = false;
    for (const char* szQuickTime : QUICKTIME_TYPES)
        fQuickTime = fQuickTime || strcasecmp(szType, szQuickTime) == 0;
    // Every type is played through QuickTime; one it is not known for is only noted.
    MFX_VERIFY(fQuickTime);
    return new CMOVWnd(nMode, szType);
}

NPError CNPApp::NPP_New(NPMIMEType pluginType, NPP instance, uint16_t mode, int16_t argc, char* argn[],
                        char* argv[], NPSavedData* saved) {
    CNPProps props(mode != NP_FULL, argc, argn, argv);
    props.Add(ModeName(mode), nullptr);
    CNPBaseWnd* pWnd = CreateInstanceWindow(pluginType, static_cast<int16_t>(mode));
    if (!pWnd)
        return NPERR_OUT_OF_MEMORY_ERROR;
    pWnd->SetInstance(instance);
    MFX_VERIFY(instance->pdata == pWnd);
    pWnd->ReadProperties(props);
    pWnd->RestoreSavedData(saved);
    if (!pWnd->IsPlugInBackground() || pWnd->GetWindowObject())
        return NPERR_NO_ERROR;
    const bool fOk = pWnd->OnWndCreate() && pWnd->OnWndAttach(pWnd->GetWindowHandle());
    return fOk ? NPERR_NO_ERROR : NPERR_GENERIC_ERROR;
}

NPError CNPApp::NPP_Destroy(NPP instance, NPSavedData** save) {
    if (save) {
        MFX_VERIFY(*save == NULL);
        *save = nullptr;
    }
    CNPBaseWnd* pWnd = CNPBaseWnd::FromInstance(instance);
    if (!pWnd)
        return NPERR_GENERIC_ERROR;
    pWnd->SaveData(save);
    if (pWnd->IsOwnWindow()) {
        MFX_VERIFY(pWnd->OnWndDetach());
        pWnd->DestroyOwnWindow();
    } else if (pWnd->GetWindowHandle()) {
        MFX_VERIFY(!pWnd->IsPlugInBackground());
        pWnd->OnWndDetach();
    }
    pWnd->OnRelease();
    delete pWnd;
    return NPERR_NO_ERROR;
}

NPError CNPApp::NPP_SetWindow(NPP instance, NPWindow* window) {
    CNPBaseWnd* pWnd = CNPBaseWnd::FromInstance(instance);
    if (!pWnd)
        return NPERR_GENERIC_ERROR;
    if (!window)
        return NPERR_NO_ERROR;
    const bool fOwn = pWnd->WantsOwnWindow();
    if (!window->window && !fOwn)
        return NPERR_GENERIC_ERROR;
    // Later calls only report size changes, which the attached window receives as window messages.
    if (pWnd->GetWindowObject())
        return NPERR_NO_ERROR;
    if (fOwn && !MFX_VERIFY(pWnd->OnWndCreate()))
        return NPERR_GENERIC_ERROR;
    return pWnd->OnWndAttach(static_cast<HWND>(window->window)) ? NPERR_NO_ERROR : NPERR_GENERIC_ERROR;
}

NPError CNPApp::NPP_NewStream(NPP instance, NPMIMEType type, NPStream* stream, NPBool seekable, uint16_t* stype) {
    stream->pdata = nullptr;
    CNPBaseWnd* pWnd = CNPBaseWnd::FromInstance(instance);
    if (!pWnd)
        return NPERR_GENERIC_ERROR;
    uint16_t wType = NP_NORMAL;
    CNetStream* pStream = pWnd->CreateStream(type, stream->url, seekable != 0, &wType);
    if (!pStream)
        return NPERR_GENERIC_ERROR;
    pStream->Bind(stream);
    MFX_VERIFY(stream->pdata == pStream);
    if (stype)
        *stype = pStream->GetWantedStreamType();
    pWnd->SetStream(pStream);
    return NPERR_NO_ERROR;
}

int32_t CNPApp::NPP_WriteReady(NPP instance, NPStream* stream) {
    CNetStream* pStream = CNetStream::FromPointer(stream->pdata);
    return pStream ? pStream->WriteReady() : 0x0FFFFFFF;
}

int32_t CNPApp::NPP_Write(NPP instance, NPStream* stream, int32_t offset, int32_t len, void* buffer) {
    CNetStream* pStream = CNetStream::FromPointer(stream->pdata);
    if (!pStream)
        return -1;
    const int32_t lWritten = pStream->Write(offset, len, buffer);
    return pStream->IsAborted() ? -1 : lWritten;
}

// The window keeps its first stream for what it offers after the download; any other stream is done with.
NPError CNPApp::NPP_DestroyStream(NPP instance, NPStream* stream, NPReason reason) {
    CNetStream* pStream = CNetStream::FromPointer(stream->pdata);
    stream->pdata = nullptr;
    if (!pStream)
        return NPERR_GENERIC_ERROR;
    pStream->Unbind(stream);
    if (!CNPBaseWnd::KeepsStream(pStream))
        pStream->Release();
    return NPERR_NO_ERROR;
}

void CNPApp::NPP_StreamAsFile(NPP instance, NPStream* stream, const char* fname) {
    if (CNetStream* pStream = CNetStream::FromPointer(stream->pdata))
        pStream->AsFile(fname);
}

// A full page prints through the browser; an embedded clip prints nothing.
void CNPApp::NPP_Print(NPP instance, NPPrint* platformPrint) {
    if (platformPrint->mode == NP_FULL)
        platformPrint->print.fullPrint.pluginPrinted = false;
}
