#include <windows.h>

#include "toolkit/diagsys.h"

void DIAGSYS_DebugString(const char* szText) {
    OutputDebugStringA(szText);
}

bool DIAGSYS_GetSystemProfileString(const char* szSection, const char* szEntry, char* szOut, size_t cbOut) {
    return GetProfileStringA(szSection, szEntry, "", szOut, static_cast<DWORD>(cbOut)) > 0;
}

bool DIAGSYS_InformationBox(const char* szText, const char* szCaption, bool fOkCancel) {
    const UINT uType = MB_ICONINFORMATION | MB_TASKMODAL | (fOkCancel ? MB_OKCANCEL : MB_OK);
    return MessageBoxA(GetFocus(), szText, szCaption, uType) != IDCANCEL;
}

void DIAGSYS_FatalExit(const char* szText) {
    FatalAppExitA(0, szText ? szText : "");
    ExitProcess(3);
}

bool DIAGSYS_GetModuleFileName(MFX_HMODULE hModule, char* szOut, size_t cbOut) {
    const DWORD cch = GetModuleFileNameA(static_cast<HMODULE>(hModule), szOut, static_cast<DWORD>(cbOut));
    return cch > 0 && cch < cbOut;
}

MFX_HMODULE DIAGSYS_GetModuleOf(const void* pAddress) {
    HMODULE hModule = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(pAddress), &hModule);
    return hModule;
}

bool DIAGSYS_LoadString(MFX_HMODULE hModule, unsigned id, char* szOut, size_t cbOut) {
    return LoadStringA(static_cast<HINSTANCE>(hModule), id, szOut, static_cast<int>(cbOut)) > 0;
}

unsigned long DIAGSYS_GetThreadId() {
    return GetCurrentThreadId();
}

// Walks the regions that cover the range and accepts it only when every one is committed and readable.
bool DIAGSYS_IsReadable(const void* p, size_t nBytes) {
    const DWORD dwReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                             PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    const UINT_PTR uEnd = reinterpret_cast<UINT_PTR>(p) + nBytes;
    if (uEnd < reinterpret_cast<UINT_PTR>(p))
        return false;
    UINT_PTR uAt = reinterpret_cast<UINT_PTR>(p);
    do {
        MEMORY_BASIC_INFORMATION info;
        if (!VirtualQuery(reinterpret_cast<LPCVOID>(uAt), &info, sizeof(info)))
            return false;
        if (info.State != MEM_COMMIT || !(info.Protect & dwReadable) || (info.Protect & PAGE_GUARD))
            return false;
        uAt = reinterpret_cast<UINT_PTR>(info.BaseAddress) + info.RegionSize;
    } while (uAt < uEnd);
    return true;
}
