#include "plugin/movieoptions_win.h"

#include "plugin/movieoptions.h"
#include "toolkit/cdlg_win.h"
#include "toolkit/inifile_win.h"
#include "toolkit/window_win.h"

const char MOVIEOPTIONS_FILE[] = "FLARION.INI";
const char MOVIEOPTIONS_SECTION[] = "Movie Options";
const char MOVIEOPTIONS_PROGRESSKEY[] = "MovieProgressMeter";
const char MOVIEOPTIONS_DIALOGCLASS[] = "rwdlg";

namespace {

// The library's dialog class lives from its start to its end: a class that a library registered outlives
// the library unless it is taken away.
bool s_fClassRegistered = false;

}  // namespace

// Every setting but the progress flag starts from its default at each load.
void MOVIEOPTIONS_ReadSettings() {
    CMovieOptions& options = MOVIEOPTIONS_Get();
    options = CMovieOptions();
    CIniFile settings;
    settings.SetFileName(MOVIEOPTIONS_FILE);
    settings.Read(MOVIEOPTIONS_SECTION, MOVIEOPTIONS_PROGRESSKEY, options.m_fShowProgress);
    if (!s_fClassRegistered)
        s_fClassRegistered = CDLG_Register(WINDOW_GetInstance(), MOVIEOPTIONS_DIALOGCLASS);
}

// A settings file that cannot be written is not worth telling the user about.
void MOVIEOPTIONS_WriteSettings() {
    CIniFile settings;
    settings.SetFileName(MOVIEOPTIONS_FILE);
    settings.Write(MOVIEOPTIONS_SECTION, MOVIEOPTIONS_PROGRESSKEY, MOVIEOPTIONS_Get().m_fShowProgress);
    if (s_fClassRegistered)
        UnregisterClassA(MOVIEOPTIONS_DIALOGCLASS, WINDOW_GetInstance());
    s_fClassRegistered = false;
}
