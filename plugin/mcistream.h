// What the media streams decide without a window: the status names of their diagnostics, when a clip may be
// opened, when progress is worth posting, and how a clip of each media type is saved.
#pragma once

#include <cstdint>

enum MCISTREAM_STATUS : int32_t {
    MCISTREAM_NONE = 0,
    MCISTREAM_ENTIRELY_IN_CACHE = 1,
    MCISTREAM_READ_CANCELLED = 2,
    MCISTREAM_WAITING_FOR_OPEN = 3,
    MCISTREAM_WAITING_FOR_DATA = 4,
};

// The diagnostic name of a status; the two waiting states are named only for streams that the browser
// delivers as a file (fAsFile), "UKNOWN" otherwise and for any other value.
const char* MCISTREAM_StatusName(int32_t nStatus, bool fAsFile);

// True when a clip of dwTotal bytes with dwReceived of them here may be opened: more than nStartPercent of it
// has arrived, or all of it has.
bool MCISTREAM_IsReady(uint32_t dwTotal, uint32_t dwReceived, int32_t nStartPercent);

// True when the received count has grown by more than 4 percent of the total since dwPosted was posted, or
// has reached the total.
bool MCISTREAM_IsProgressWorthPosting(uint32_t dwTotal, uint32_t dwPosted, uint32_t dwReceived);

struct MCISTREAM_SAVETYPE {
    const char* szExtension;  // without the dot
    const char* szFilter;     // the file dialog's filter, parts separated by '|'
};

// How a clip of the MIME type (any case) is saved; null for a type that cannot be saved.
const MCISTREAM_SAVETYPE* MCISTREAM_FindSaveType(const char* szMimeType);
