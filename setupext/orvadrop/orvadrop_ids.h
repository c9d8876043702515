// The backdrop plug-in's resource numbers, shared by its resources and its code.
#pragma once

#define IDC_BACKDROP 100    // the cursor of the slide show
#define IDB_MARK 110        // top-right mark
#define IDB_PATTERN 111     // pattern of the brushes
#define IDB_BACKGROUND 112  // background tile
#define IDB_LOGO 113        // corner logo
#define IDB_SLIDE1 114      // the slide show's pictures
#define IDB_SLIDE2 115
#define IDB_MARK_HIGH 116  // the same on displays with more than 8 bits per pixel
#define IDB_LOGO_HIGH 117
#define IDB_BACKGROUND_HIGH 118
