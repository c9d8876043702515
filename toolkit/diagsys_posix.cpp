#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cstdio>

#include "toolkit/diagsys.h"

// Natively there is no debugger channel: developer output goes to standard error.
void DIAGSYS_DebugString(const char* szText) {
    fputs(szText, stderr);
}

// No system profile exists outside Windows, so the hidden switch is always off.
bool DIAGSYS_GetSystemProfileString(const char*, const char*, char*, size_t) {
    return false;
}

// No window system: information boxes are not shown and count as answered with OK.
bool DIAGSYS_InformationBox(const char*, const char*, bool) {
    return true;
}

void DIAGSYS_FatalExit(const char* szText) {
    fprintf(stderr, "%s\n", szText ? szText : "");
    _exit(3);
}

bool DIAGSYS_GetModuleFileName(MFX_HMODULE, char* szOut, size_t cbOut) {
    const ssize_t cch = readlink("/proc/self/exe", szOut, cbOut - 1);
    if (cch <= 0 || static_cast<size_t>(cch) >= cbOut - 1)
        return false;
    szOut[cch] = '\0';
    return true;
}

MFX_HMODULE DIAGSYS_GetModuleOf(const void*) {
    return nullptr;
}

// No string resources natively: the caller falls back on its default text.
bool DIAGSYS_LoadString(MFX_HMODULE, unsigned, char*, size_t) {
    return false;
}

unsigned long DIAGSYS_GetThreadId() {
    return static_cast<unsigned long>(syscall(SYS_gettid));
}

// Asks the kernel to copy the range out of our own address space: it answers EFAULT instead of faulting.
bool DIAGSYS_IsReadable(const void* p, size_t nBytes) {
    char buffer[4096];
    const char* pAt = static_cast<const char*>(p);
    while (nBytes > 0) {
        const size_t nChunk = nBytes < sizeof(buffer) ? nBytes : sizeof(buffer);
        iovec local = {buffer, nChunk};
        iovec remote = {const_cast<char*>(pAt), nChunk};
        if (process_vm_readv(getpid(), &local, 1, &remote, 1, 0) != static_cast<ssize_t>(nChunk))
            return false;
        pAt += nChunk;
        nBytes -= nChunk;
    }
    return true;
}
