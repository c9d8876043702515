#include "plugin/netstream_win.h"

#include <mutex>
#include <set>

#include "plugin/npwnd_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("NETSTREAM");

namespace {

// The live stream objects: the browser hands back whatever stream->pdata holds, so the class of that pointer
// is checked by looking it up, never by reading through it.
std::mutex s_liveLock;
std::set<CNetStream*> s_live;

}  // namespace

CNetStream::CNetStream(CNPBaseWnd* pOwner, const char* szMimeType, bool fSeekable)
    : m_instance(pOwner ? pOwner->GetInstance() : nullptr),
      m_fSeekable(fSeekable),
      m_pOwner(pOwner),
      m_sMimeType(szMimeType ? szMimeType : "") {
    std::lock_guard<std::mutex> lock(s_liveLock);
    s_live.insert(this);
}

CNetStream::~CNetStream() {
    std::lock_guard<std::mutex> lock(s_liveLock);
    s_live.erase(this);
}

CNetStream* CNetStream::FromPointer(void* p) {
    std::lock_guard<std::mutex> lock(s_liveLock);
    const auto it = s_live.find(static_cast<CNetStream*>(p));
    return it == s_live.end() ? nullptr : *it;
}

void CNetStream::ForgetOwner(CNPBaseWnd* pOwner) {
    std::lock_guard<std::mutex> lock(s_liveLock);
    for (CNetStream* pStream : s_live) {
        if (pStream->m_pOwner == pOwner)
            pStream->m_pOwner = nullptr;
    }
}

void CNetStream::Release() {
    OnWindowDetached(m_pOwner);
    if (m_stream)
        m_stream->pdata = nullptr;
    delete this;
}

uint16_t CNetStream::GetWantedStreamType() {
    return m_fSeekable ? NP_SEEK : NP_NORMAL;
}

uint32_t CNetStream::GetLength() {
    if (m_stream)
        m_dwEnd = m_stream->end;
    return m_dwEnd;
}

uint32_t CNetStream::GetLastModified() {
    if (m_stream)
        m_dwLastModified = m_stream->lastmodified;
    return m_dwLastModified;
}

int32_t CNetStream::WriteReady() {
    return NETSTREAM_WRITEREADY;
}

int32_t CNetStream::Write(int32_t lOffset, int32_t lLength, void* pBuffer) {
    if (m_pOwner)
        m_pOwner->OnStreamData(this, lOffset, lLength, pBuffer);
    return lLength;
}

bool CNetStream::AsFile(const char* szFileName) {
    if (!szFileName)
        return true;
    if (m_pOwner)
        m_pOwner->OnStreamFile(this, szFileName, m_sURL.c_str());
    return true;
}

void CNetStream::OnWindowAttached(CNPBaseWnd* pWnd) {
    if (pWnd && pWnd == m_pOwner)
        m_pOwner->SetStream(this);
}

void CNetStream::OnWindowDetached(CNPBaseWnd* pWnd) {
    if (!pWnd || pWnd != m_pOwner)
        return;
    m_pOwner->OnStreamRemoved(this);
    m_pOwner = nullptr;
}

bool CNetStream::Bind(NPStream* stream) {
    MFX_PRE(m_stream = stream);
    stream->pdata = this;
    m_sURL = stream->url ? stream->url : "";
    GetLength();
    GetLastModified();
    return true;
}

NPStream* CNetStream::Unbind(NPStream* stream) {
    MFX_PRE(m_stream==stream);
    GetLength();
    GetLastModified();
    m_stream = nullptr;
    return stream;
}
