// The resource and command numbers of the movie window, its progress window and the background painter,
// shared by their resources and their code.
#pragma once

// The context menu: its second pop-up is the movie's.
#define MOVWND_IDM_CONTEXT 130
#define MOVWND_IDC_HAND 116

#define MOVWND_ID_TITLE 32771
#define MOVWND_ID_ABOUT 1006
#define MOVWND_ID_OPTIONS 1007
#define MOVWND_ID_STOPDOWNLOAD 1008
#define MOVWND_ID_PLAY 1009
#define MOVWND_ID_STOP 1010
#define MOVWND_ID_REWIND 1011
#define MOVWND_ID_SAVEAS 1012
#define MOVWND_ID_ABOUTMEDIA 1021
#define MOVWND_ID_FASTSTART 32772
#define MOVWND_ID_HOME 32773
#define MOVWND_ID_FAQ 32775
#define MOVWND_ID_MAKERHOME 32776
#define MOVWND_ID_INSTALLING 32777
#define MOVWND_ID_SHOWPROGRESS 32778

// The progress window.
#define PROGRESS_IDD 137
#define PROGRESS_IDC_LINE1 1023
#define PROGRESS_IDC_LINE2 1024
#define PROGRESS_IDC_METER 1025

// The background pictures: a 24-bit form for displays of more than 8 bits per pixel, a plain one otherwise.
#define IDBMP_BUGMASK 110
#define IDBMP_LOGOMASK 113
#define IDBMP_LOGOMASKDIB 132
#define IDBMP_PAPERDIB 133
#define IDBMP_BUGMASKDIB 134
#define IDBMP_BUGTILE 140
#define IDBMP_BUGTILEDIB 141
#define IDBMP_REELFACE 142
#define IDBMP_REELFACEDIB 143
