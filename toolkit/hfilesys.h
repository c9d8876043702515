// The platform's simple file calls behind the handle operations of hfile.h, which add the read-ahead of
// buffered handles on top of them.
#pragma once

#include <cstdint>

#include "toolkit/hfile.h"

int HFILESYS_Close(HFILE hFile);
int HFILESYS_Read(HFILE hFile, void* pBuffer, uint32_t cb);
int32_t HFILESYS_Seek(HFILE hFile, int32_t lOffset, HFILE_ORIGIN origin);
