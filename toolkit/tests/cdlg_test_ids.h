// Ids of the generic dialog tests, shared by cdlg_test.rc and the tests.
#pragma once

#define IDD_CDLGTEST 300
#define IDC_NAME 301
#define IDC_REQUIRED 302
#define IDC_RADIO1 303
#define IDC_RADIO2 304
#define IDC_RADIO3 305
#define IDC_COLOR 306
#define IDC_SWATCH 307
#define IDC_FILE 308
#define IDC_BROWSE 309
#define IDC_PUSH 310

#define IDS_REQUIRED_TEXT 301
#define IDS_REQUIRED_CAPTION 302
#define IDS_COLOR_TITLE 303
#define IDS_BROWSE_FILTER 304
#define IDS_BROWSE_TITLE 305
