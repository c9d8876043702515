#include <windows.h>

#include "testing/testsupport/memprobe.h"

void* MEMPROBE_ReserveUnreadable(size_t nBytes) {
    return VirtualAlloc(nullptr, nBytes, MEM_RESERVE, PAGE_NOACCESS);
}

void MEMPROBE_Release(void* p, size_t) {
    VirtualFree(p, 0, MEM_RELEASE);
}
