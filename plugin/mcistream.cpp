#include "plugin/mcistream.h"

#include <strings.h>

const char* MCISTREAM_StatusName(int32_t nStatus, bool fAsFile) {
    switch (nStatus) {
        case MCISTREAM_NONE:
            return "None";
        case MCISTREAM_ENTIRELY_IN_CACHE:
            return "Stream_Entirely_In_Cache";
        case MCISTREAM_READ_CANCELLED:
            return "Stream_Read_Cancelled";
        case MCISTREAM_WAITING_FOR_OPEN:
            return fAsFile ? "Waiting_For_AsFileStream_Open" : "UKNOWN";
        case MCISTREAM_WAITING_FOR_DATA:
            return fAsFile ? "Waiting_For_AsFileStream_Data" : "UKNOWN";
        default:
            return "UKNOWN";
    }
}

// A share above the start percentage opens the clip; so does the whole clip, or a start percentage of 100
// (which the options accept) would keep every clip closed for good.
bool MCISTREAM_IsReady(uint32_t dwTotal, uint32_t dwReceived, int32_t nStartPercent) {
    if (dwTotal == 0 || dwReceived == 0)
        return false;
    if (dwReceived >= dwTotal)
        return true;
    const double dPercent = static_cast<double>(dwReceived) / dwTotal * 100.0;
    return static_cast<int32_t>(dPercent) > nStartPercent;
}

bool MCISTREAM_IsProgressWorthPosting(uint32_t dwTotal, uint32_t dwPosted, uint32_t dwReceived) {
    if (dwTotal == 0 || dwReceived == dwPosted)
        return false;
    if (dwReceived >= dwTotal)
        return true;
    const uint64_t qwGrowth = dwReceived > dwPosted ? dwReceived - dwPosted : dwPosted - dwReceived;
    return qwGrowth * 100 > static_cast<uint64_t>(dwTotal) * 4;
}

namespace {

const struct {
    const char* szMimeTypes[3];
    MCISTREAM_SAVETYPE type;
} SAVE_TYPES[] = {
    {{"video/quicktime", "video/x-quicktime", "video/quicktime-stream"},
     {"MOV", "Movie Files (*.mov,*.qt)|*.mov;*.qt|"}},
    {{"video/msvideo", "video/x-msvideo", "video/x-msvideo-stream"}, {"AVI", "Video Files (*.avi)|*.avi|"}},
    {{"application/x-wav", "audio/x-wav", "audio/wav"}, {"WAV", "Sound (*.wav)|*.wav|"}},
    {{"video/flc", "video/fli"}, {"FLC", "FLIC (*.flc,*.fli)|*.flc;*.fli|"}},
    {{"video/x-mpeg", "video/mpeg"}, {"MPG", "MPEG Movies (*.MPG)|*.MPG|"}},
    {{"audio/x-mpeg"}, {"MP2", "MPEG Songs (*.MP2)|*.MP2|"}},
    {{"audio/midi", "audio/x-midi", "application/x-midi"}, {"MID", "MIDI Songs (*.mid,*.rmi)|*.mid;*.rmi|"}},
};

}  // namespace

const MCISTREAM_SAVETYPE* MCISTREAM_FindSaveType(const char* szMimeType) {
    if (!szMimeType)
        return nullptr;
    for (const auto& entry : SAVE_TYPES) {
        for (const char* szType : entry.szMimeTypes) {
            if (szType && strcasecmp(szType, szMimeType) == 0)
                return &entry.type;
        }
    }
    return nullptr;
}
