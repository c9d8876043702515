// The plug-in's options: one set per loaded library, starting from its defaults at every load.
#pragma once

#include <cstdint>

#include "toolkit/pathname.h"

struct CMovieOptions {
    int m_fStopNoData = 1;
    int m_nCacheSize = 10;  // megabytes
    int m_nTimeout = 10;    // seconds without data
    // A stream opens once more than this share of the clip has arrived.
    int m_nStartPercent = 15;
    int m_nConnectionSpeed = 0;
    int m_nBackgroundType = 0;
    uint32_t m_crBackground = 0x00C0C0C0;  // RGB(192,192,192)
    PATHNAME m_szBackgroundPicture = "";
    int m_fShowProgress = 1;
    PATHNAME m_szCacheFolder = "C:\\REELWAY\\CACHE";
    PATHNAME m_szMediaFolder = "C:\\REELWAY\\MEDIA";
};

// The library's options.
CMovieOptions& MOVIEOPTIONS_Get();
