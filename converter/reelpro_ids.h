// Resource and command numbers of the converter program, shared by its resource script and its code.
#pragma once

#define IDR_MAINFRAME 2    // main window: menu, accelerators, icon, toolbar bitmap, title string
#define IDR_MOVIETYPE 6    // movie document: menu and template string
#define IDR_BATCHTYPE 11   // batch list: menu and template string
#define IDD_ABOUTBOX 100
#define IDB_SPLASH 105
#define IDD_SPLASH 138

#define ID_MAKE_FASTSTART 32772
#define ID_BATCH_ADD 32773
#define ID_MOVIE_PREVIEW 32780
#define ID_HELP_CONTENTS 32782

// The about box's texts, in the order of its control list.
#define IDC_ABOUT_TITLE 1002
#define IDC_ABOUT_LINE1 1003
#define IDC_ABOUT_LINE2 1004
#define IDC_ABOUT_LINE3 1005
#define IDC_ABOUT_FRAME 1006
#define IDC_ABOUT_VERSION 1007
#define IDC_ABOUT_RULE 2000
