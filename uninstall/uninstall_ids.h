// The uninstaller's resource and control numbers, shared by its resource script and its code.
#pragma once

#define IDI_POINTER 100
#define IDD_UNPROGRESS 200

// The four lines of the progress window, and the pointer in front of each, in step order.
#define IDC_UNSTEP1 201
#define IDC_UNSTEP2 202
#define IDC_UNSTEP3 203
#define IDC_UNSTEP4 204
#define IDC_UNPOINTER1 211
#define IDC_UNPOINTER2 212
#define IDC_UNPOINTER3 213
#define IDC_UNPOINTER4 214
