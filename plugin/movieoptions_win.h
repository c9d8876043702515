// The options' settings file and the dialog class that the options' pages are made of.
#pragma once

extern const char MOVIEOPTIONS_FILE[];         // "FLARION.INI", in the system's Windows folder
extern const char MOVIEOPTIONS_SECTION[];      // "Movie Options"
extern const char MOVIEOPTIONS_PROGRESSKEY[];  // "MovieProgressMeter"
extern const char MOVIEOPTIONS_DIALOGCLASS[];  // "rwdlg"

// At the library's start: the defaults, then the one stored value; registers the dialog class once.
void MOVIEOPTIONS_ReadSettings();
// At the library's end: stores the show-progress flag and takes the dialog class away.
void MOVIEOPTIONS_WriteSettings();
