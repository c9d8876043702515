// The base stream object: one per browser stream (NPStream) that an instance accepted. The media streams
// derive from it and override the operations marked so; the instance window receives what arrives through
// its stream events.
//
// Ownership. The instance window that made a stream keeps its first one and releases it when the window goes;
// any other stream is released when the browser destroys it. Unbinding never deletes.
#pragma once

#include <cstdint>
#include <string>

#include "plugin/npapi.h"

class CNPBaseWnd;

const int32_t NETSTREAM_WRITEREADY = 0x14000;  // 81920 bytes, whatever has been written

class CNetStream {
public:
    CNetStream(CNPBaseWnd* pOwner, const char* szMimeType, bool fSeekable);
    virtual ~CNetStream();
    CNetStream(const CNetStream&) = delete;
    CNetStream& operator=(const CNetStream&) = delete;

    // The live stream object at p, or null for anything else (a foreign or stale pointer is never read).
    static CNetStream* FromPointer(void* p);
    // Every stream owned by the window forgets it (the window is being deleted).
    static void ForgetOwner(CNPBaseWnd* pOwner);

    // Detaches from the owner, clears the browser stream's pointer to this object, deletes the object.
    virtual void Release();
    // NP_SEEK for a seekable stream, else NP_NORMAL.
    virtual uint16_t GetWantedStreamType();
    // end and lastmodified: live while bound (and cached each time), the cached value after.
    virtual uint32_t GetLength();
    virtual uint32_t GetLastModified();
    virtual int32_t WriteReady();
    // Hands the data to the owner's stream-data event; returns the length taken.
    virtual int32_t Write(int32_t lOffset, int32_t lLength, void* pBuffer);
    // Hands the browser's file to the owner's stream-file event; a null name does nothing.
    virtual bool AsFile(const char* szFileName);
    // The owner keeps this stream as its first one when the window is its owner.
    virtual void OnWindowAttached(CNPBaseWnd* pWnd);
    // The owner hears that the stream is removed and is forgotten.
    virtual void OnWindowDetached(CNPBaseWnd* pWnd);
    virtual bool Bind(NPStream* stream);
    virtual NPStream* Unbind(NPStream* stream);

    bool IsBound() const { return m_stream != nullptr; }
    // Once set, NPP_Write answers -1 and the browser ends the stream.
    bool IsAborted() const { return m_fAbort; }
    void SetAbort() { m_fAbort = true; }
    CNPBaseWnd* GetOwner() const { return m_pOwner; }
    NPP GetInstance() const { return m_instance; }
    bool IsSeekable() const { return m_fSeekable; }
    const std::string& GetMimeType() const { return m_sMimeType; }
    const std::string& GetURL() const { return m_sURL; }

protected:
    NPStream* m_stream = nullptr;
    NPP m_instance = nullptr;
    bool m_fSeekable;
    CNPBaseWnd* m_pOwner;
    std::string m_sMimeType;
    std::string m_sURL;
    uint32_t m_dwEnd = 0;
    uint32_t m_dwLastModified = 0;
    bool m_fAbort = false;
};
