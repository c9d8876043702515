#include <sys/mman.h>

#include "testing/testsupport/memprobe.h"

void* MEMPROBE_ReserveUnreadable(size_t nBytes) {
    void* p = mmap(nullptr, nBytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return p == MAP_FAILED ? nullptr : p;
}

void MEMPROBE_Release(void* p, size_t nBytes) {
    munmap(p, nBytes);
}
