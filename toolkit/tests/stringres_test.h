// Resource numbers shared by stringres_test.rc and stringres_win_test.cpp.
#pragma once

#define IDS_TEXT 101
#define IDS_CAPTION 102
#define IDS_FILTER 103
#define IDS_FILTERS 104
#define IDS_LONG 105
#define IDS_MISSING 199
#define IDR_NOTES 201
#define IDR_EMPTY 202
