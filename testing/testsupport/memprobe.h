// Memory that is mapped in no readable way, for tests of the readability probe.
#pragma once

#include <cstddef>

// A range of nBytes that exists in the address space but cannot be read; released by MEMPROBE_Release.
void* MEMPROBE_ReserveUnreadable(size_t nBytes);
void MEMPROBE_Release(void* p, size_t nBytes);
